// One running instance per installed program. The instance that holds a lock file in the user's
// runtime folder runs; later starts of the same executable hand their request ("activate" or
// "quit") over a local socket to it and end. A crashed or killed holder leaves a stale lock that
// the next start takes over at once.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>
#include <vector>

class QLockFile;
class QWidget;

namespace velorin {

class TLokalerServer;

// The lock cannot be created at all; what() is the German message for the user.
class ESystemFehler : public std::runtime_error {
public:
    ESystemFehler(int code, const QString& systemText);
    int Code() const { return FCode; }

private:
    int FCode;
};

// Environment variable that replaces the key derived from the executable's path (tests).
inline constexpr char InstanzSchluesselVariable[] = "VELORIN_INSTANCE_KEY";

// An argument is the quit switch: "/" or "-" followed by QUIT in any letter case. arguments
// start after the program name.
bool QuitRequested(const QStringList& arguments);

class TInstanzWaechter : public QObject {
    Q_OBJECT

public:
    // key empty: from the environment, else the user and a hash of the canonical executable path.
    explicit TInstanzWaechter(QString key = QString(), QObject* parent = nullptr);
    // Leaves the registration: the lock is released and the socket removed.
    ~TInstanzWaechter() override;

    TInstanzWaechter(const TInstanzWaechter&) = delete;
    TInstanzWaechter& operator=(const TInstanzWaechter&) = delete;

    // True: this start ends (another instance was asked to come to the front, or to quit).
    // Throws ESystemFehler when the runtime folder does not allow a lock at all.
    bool PreviousInstanceGuard(const QStringList& arguments);
    // False: this instance runs and is registered. True: another one runs and was activated.
    bool ActivateOrRegister(int MaxInstances);
    // Asks the running instance to end and waits a little for it to go; never registers.
    void QuitPreviousInstance();

    bool Registriert() const { return FLock != nullptr; }
    const QString& Key() const { return FKey; }

    // The window that an activation request brings to the front.
    void SetHauptfenster(QWidget* fenster) { FHauptfenster = fenster; }

    static QString StandardKey();

signals:
    // A later start asked this instance to end; emitted before the event loop is left.
    void QuitAngefordert();

private:
    QString Pfad(int slot, const char* endung) const;
    // Tries to take a free slot; throws ESystemFehler when locking is impossible.
    bool Registrieren(int MaxInstances);
    // Sends one request line to a running instance; false when none answered.
    bool Senden(int MaxInstances, const QByteArray& zeile);
    void Befehl(const QByteArray& zeile);
    void Aktivieren(const QByteArray& token);

    QString FKey;
    QString FOrdner;
    std::unique_ptr<QLockFile> FLock;
    TLokalerServer* FServer = nullptr;
    QPointer<QWidget> FHauptfenster;
};

} // namespace velorin

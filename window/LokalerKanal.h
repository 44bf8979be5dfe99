// Short requests between starts of the program: one line each over a Unix domain socket that only
// the user can reach. Plain POSIX with QtCore's socket notifier, so that a start loads no network
// module.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <vector>

class QSocketNotifier;

namespace velorin {

// A request is one short line; anything longer is not ours.
inline constexpr int ZeileMaximal = 1024;

class TLokalerServer : public QObject {
    Q_OBJECT

public:
    explicit TLokalerServer(QObject* parent = nullptr);
    // Stops listening and removes the socket file.
    ~TLokalerServer() override;

    TLokalerServer(const TLokalerServer&) = delete;
    TLokalerServer& operator=(const TLokalerServer&) = delete;

    // Replaces a file left at pfad and listens there; false with Fehler() when that fails.
    bool Lauschen(const QString& pfad);
    bool Lauscht() const { return FFd >= 0; }
    const QString& Fehler() const { return FFehler; }

signals:
    // A complete line from a client, without its newline.
    void Zeile(const QByteArray& zeile);

private:
    class TVerbindung;

    void Annehmen();
    void Lesen(TVerbindung* verbindung);
    void Schliessen(TVerbindung* verbindung);

    int FFd = -1;
    QByteArray FPfad;
    QSocketNotifier* FMelder = nullptr;
    std::vector<TVerbindung*> FVerbindungen; // owned as children
    QString FFehler;
};

// Sends zeile and a newline to the server at pfad. False when none accepts the connection
// within verbindenMs or takes the line within schreibenMs.
bool LokalSenden(const QString& pfad, const QByteArray& zeile, int verbindenMs, int schreibenMs);

} // namespace velorin

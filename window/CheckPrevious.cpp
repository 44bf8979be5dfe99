#include "CheckPrevious.h"
#include "LokalerKanal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace velorin {

namespace {

// A later start that finds the lock held but no one listening yet (the holder is still
// starting) keeps trying this long before it ends without a word.
constexpr int WartezeitMs = 3000;
// How long a quitting start waits for the running instance to be gone.
constexpr int QuitWartezeitMs = 5000;
constexpr int PauseMs = 50;
constexpr int VerbindenMs = 500;
constexpr int SchreibenMs = 1000;

const QByteArray Activate = "ACTIVATE";
const QByteArray Quit = "QUIT";

QString SystemText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

ESystemFehler::ESystemFehler(int code, const QString& systemText)
    : std::runtime_error(
          QStringLiteral("Systemfehler.  Code: %1.\n%2").arg(code).arg(systemText).toStdString()),
      FCode(code) {}

bool QuitRequested(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        const QString gross = argument.toUpper();
        if (gross.size() == 5 &&
            (gross.front() == QLatin1Char('/') || gross.front() == QLatin1Char('-')) &&
            gross.mid(1) == QLatin1String("QUIT"))
            return true;
    }
    return false;
}

QString TInstanzWaechter::StandardKey() {
    const QString vorgabe = qEnvironmentVariable(InstanzSchluesselVariable);
    if (!vorgabe.isEmpty()) return vorgabe;
    QString pfad = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (pfad.isEmpty()) pfad = QCoreApplication::applicationFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(pfad.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("velorin-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

TInstanzWaechter::TInstanzWaechter(QString key, QObject* parent)
    : QObject(parent), FKey(key.isEmpty() ? StandardKey() : std::move(key)) {
    // Names of our own making only: the key becomes part of file names.
    FKey.replace(QLatin1Char('/'), QLatin1Char('_'));
    FOrdner = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (FOrdner.isEmpty()) FOrdner = QDir::tempPath();
}

TInstanzWaechter::~TInstanzWaechter() {
    // The socket goes before the lock: once the lock is free, the name belongs to the next holder.
    delete FServer;
    if (FLock) FLock->unlock();
}

QString TInstanzWaechter::Pfad(int slot, const char* endung) const {
    QString name = FKey;
    if (slot > 0) name += QLatin1Char('-') + QString::number(slot);
    return FOrdner + QLatin1Char('/') + name + QLatin1String(endung);
}

bool TInstanzWaechter::PreviousInstanceGuard(const QStringList& arguments) {
    if (QuitRequested(arguments)) {
        QuitPreviousInstance();
        return true;
    }
    return ActivateOrRegister(1);
}

bool TInstanzWaechter::Registrieren(int MaxInstances) {
    QDir().mkpath(FOrdner);
    for (int slot = 0; slot < MaxInstances; ++slot) {
        auto lock = std::make_unique<QLockFile>(Pfad(slot, ".lock"));
        // A running instance stays the holder however long it runs; only a dead one is stale.
        lock->setStaleLockTime(0);
        errno = 0;
        if (lock->tryLock(0)) {
            FLock = std::move(lock);
            FServer = new TLokalerServer(this);
            connect(FServer, &TLokalerServer::Zeile, this,
                    [this](const QByteArray& zeile) { Befehl(zeile.trimmed()); });
            // Without the socket this instance still runs; later starts then end unheard.
            if (!FServer->Lauschen(Pfad(slot, ".sock")))
                qWarning("Velorin: %s", qUtf8Printable(FServer->Fehler()));
            return true;
        }
        const int fehler = errno;
        switch (lock->error()) {
        case QLockFile::LockFailedError:
            break;
        case QLockFile::PermissionError:
            throw ESystemFehler(fehler ? fehler : EACCES, SystemText(fehler ? fehler : EACCES));
        default:
            throw ESystemFehler(fehler ? fehler : EIO, SystemText(fehler ? fehler : EIO));
        }
    }
    return false;
}

bool TInstanzWaechter::Senden(int MaxInstances, const QByteArray& zeile) {
    for (int slot = 0; slot < MaxInstances; ++slot)
        if (LokalSenden(Pfad(slot, ".sock"), zeile, VerbindenMs, SchreibenMs)) return true;
    return false;
}

bool TInstanzWaechter::ActivateOrRegister(int MaxInstances) {
    if (MaxInstances < 1) MaxInstances = 1;
    QByteArray zeile = Activate;
    const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    // A token that would make the line too long for the holder is left out.
    if (!token.isEmpty() && !token.contains('\n') &&
        zeile.size() + 1 + token.size() <= ZeileMaximal)
        zeile += ' ' + token;

    QElapsedTimer uhr;
    uhr.start();
    for (;;) {
        if (Registrieren(MaxInstances)) return false;
        if (Senden(MaxInstances, zeile)) return true;
        // The holder is still starting, or has just died and left a stale lock.
        if (uhr.elapsed() > WartezeitMs) return true;
        QThread::msleep(PauseMs);
    }
}

void TInstanzWaechter::QuitPreviousInstance() {
    QElapsedTimer uhr;
    uhr.start();
    const QString lockName = Pfad(0, ".lock");
    for (;;) {
        if (Senden(1, Quit)) break;
        QLockFile probe(lockName);
        probe.setStaleLockTime(0);
        if (probe.tryLock(0)) return; // no instance runs; the probe lets go at once
        if (probe.error() != QLockFile::LockFailedError) return;
        if (uhr.elapsed() > WartezeitMs) return;
        QThread::msleep(PauseMs);
    }
    // Wait for the instance to be gone, so that a start right after this one is not taken
    // for a second instance of the one that is ending.
    uhr.restart();
    while (uhr.elapsed() < QuitWartezeitMs) {
        QLockFile probe(lockName);
        probe.setStaleLockTime(0);
        if (probe.tryLock(0)) return;
        if (probe.error() != QLockFile::LockFailedError) return;
        QThread::msleep(PauseMs);
    }
}

void TInstanzWaechter::Befehl(const QByteArray& zeile) {
    if (zeile == Quit) {
        emit QuitAngefordert();
        // Leave the event loop without closing the window: its close handling does not run,
        // its destruction (and so the placement) does.
        QCoreApplication::exit(0);
        return;
    }
    if (zeile == Activate) {
        Aktivieren(QByteArray());
    } else if (zeile.startsWith(Activate + ' ')) {
        Aktivieren(zeile.mid(Activate.size() + 1));
    }
}

void TInstanzWaechter::Aktivieren(const QByteArray& token) {
    // The desktop may want the later start's activation token before it lets us to the front.
    if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token);
    QWidget* fenster = FHauptfenster ? FHauptfenster.data() : QApplication::activeModalWidget();
    if (fenster == nullptr) return;
    if (fenster->isMinimized())
        fenster->setWindowState(fenster->windowState() & ~Qt::WindowMinimized);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    // A dialog open over the window stays in front of it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != fenster) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace velorin

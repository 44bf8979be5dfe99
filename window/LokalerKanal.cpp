#include "LokalerKanal.h"

#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace velorin {

namespace {

// Waiting starts before the holder accepts them.
constexpr int Warteschlange = 16;
// A client that never hangs up must not use up our file descriptors.
constexpr std::size_t MaxVerbindungen = 64;

// False when the encoded path does not fit (with its terminating zero).
bool Adresse(const QByteArray& name, sockaddr_un& adresse) {
    adresse = sockaddr_un{};
    adresse.sun_family = AF_UNIX;
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof adresse.sun_path)
        return false;
    std::memcpy(adresse.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return true;
}

// True when fd can take bytes (or has an error that the next call reports) before frist.
bool Schreibbar(int fd, const QDeadlineTimer& frist) {
    for (;;) {
        pollfd eintrag{fd, POLLOUT, 0};
        const int n = ::poll(&eintrag, 1, static_cast<int>(frist.remainingTime()));
        if (n >= 0) return n > 0;
        if (errno != EINTR) return false;
    }
}

bool Verbinden(int fd, const sockaddr_un& adresse, const QDeadlineTimer& frist) {
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) == 0)
            return true;
        if (errno == EAGAIN) {
            // The holder's queue is full: it is busy, not gone.
            if (frist.hasExpired()) return false;
            QThread::msleep(10);
            continue;
        }
        // An interrupted connect goes on by itself, like one in progress.
        if (errno != EINPROGRESS && errno != EINTR) return false;
        if (!Schreibbar(fd, frist)) return false;
        int fehler = 0;
        socklen_t laenge = sizeof fehler;
        return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &fehler, &laenge) == 0 && fehler == 0;
    }
}

bool Schreiben(int fd, const QByteArray& daten, const QDeadlineTimer& frist) {
    qsizetype geschrieben = 0;
    while (geschrieben < daten.size()) {
        // MSG_NOSIGNAL: a holder that dies meanwhile must not kill this start with SIGPIPE.
        const ssize_t n =
            ::send(fd, daten.constData() + geschrieben,
                   static_cast<std::size_t>(daten.size() - geschrieben), MSG_NOSIGNAL);
        if (n >= 0) {
            geschrieben += n;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!Schreibbar(fd, frist)) return false;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

} // namespace

// One accepted client: its socket, the notifier and the start of an unfinished line.
class TLokalerServer::TVerbindung : public QObject {
public:
    TVerbindung(int fd, QObject* parent)
        : QObject(parent), Fd(fd), Melder(fd, QSocketNotifier::Read) {}
    ~TVerbindung() override { Schliessen(); }

    void Schliessen() {
        if (Fd < 0) return;
        Melder.setEnabled(false);
        ::close(Fd);
        Fd = -1;
    }

    int Fd;
    QSocketNotifier Melder;
    QByteArray Puffer;
};

TLokalerServer::TLokalerServer(QObject* parent) : QObject(parent) {}

TLokalerServer::~TLokalerServer() {
    if (FFd < 0) return;
    delete FMelder;
    ::close(FFd);
    ::unlink(FPfad.constData());
}

bool TLokalerServer::Lauschen(const QString& pfad) {
    const QByteArray name = QFile::encodeName(pfad);
    sockaddr_un adresse;
    if (!Adresse(name, adresse)) {
        FFehler = QStringLiteral("%1: Pfad zu lang für einen lokalen Socket").arg(pfad);
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    bool gebunden = false;
    auto fehlschlag = [&] {
        FFehler = QStringLiteral("%1: %2").arg(pfad, QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0) ::close(fd);
        if (gebunden) ::unlink(name.constData());
        return false;
    };
    if (fd < 0) return fehlschlag();
    // A socket left by a killed holder would keep bind() from succeeding; the caller holds the
    // lock, so nobody else uses this name.
    ::unlink(name.constData());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) != 0)
        return fehlschlag();
    gebunden = true;
    // User only; nobody can connect before listen().
    if (::chmod(name.constData(), S_IRUSR | S_IWUSR) != 0) return fehlschlag();
    if (::listen(fd, Warteschlange) != 0) return fehlschlag();

    FFd = fd;
    FPfad = name;
    FMelder = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(FMelder, &QSocketNotifier::activated, this, &TLokalerServer::Annehmen);
    return true;
}

void TLokalerServer::Annehmen() {
    for (;;) {
        const int fd = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return; // none waiting any more
        }
        if (FVerbindungen.size() >= MaxVerbindungen) Schliessen(FVerbindungen.front());
        auto* verbindung = new TVerbindung(fd, this);
        FVerbindungen.push_back(verbindung);
        connect(&verbindung->Melder, &QSocketNotifier::activated, this,
                [this, verbindung] { Lesen(verbindung); });
    }
}

void TLokalerServer::Lesen(TVerbindung* verbindung) {
    // One read per notification: a client that keeps writing cannot hold up the event loop.
    char puffer[ZeileMaximal];
    ssize_t n;
    do {
        n = ::read(verbindung->Fd, puffer, sizeof puffer);
    } while (n < 0 && errno == EINTR);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;

    // End of data or an error; an unfinished last line is dropped.
    bool schliessen = n <= 0;
    QByteArrayList zeilen;
    if (n > 0) {
        QByteArray& daten = verbindung->Puffer;
        daten.append(puffer, n);
        qsizetype anfang = 0;
        for (qsizetype ende; (ende = daten.indexOf('\n', anfang)) >= 0; anfang = ende + 1) {
            if (ende - anfang > ZeileMaximal) {
                schliessen = true;
                break;
            }
            zeilen.append(daten.mid(anfang, ende - anfang));
        }
        daten.remove(0, anfang);
        if (daten.size() > ZeileMaximal) schliessen = true;
    }
    if (schliessen) Schliessen(verbindung);

    // A handler may end this server; the connection's state is settled before.
    const QPointer<TLokalerServer> lebt(this);
    for (const QByteArray& zeile : std::as_const(zeilen)) {
        emit Zeile(zeile);
        if (!lebt) return;
    }
}

void TLokalerServer::Schliessen(TVerbindung* verbindung) {
    verbindung->Schliessen();
    FVerbindungen.erase(std::find(FVerbindungen.begin(), FVerbindungen.end(), verbindung));
    // Not deleted at once: its notifier may be the one emitting right now.
    verbindung->deleteLater();
}

bool LokalSenden(const QString& pfad, const QByteArray& zeile, int verbindenMs, int schreibenMs) {
    sockaddr_un adresse;
    if (!Adresse(QFile::encodeName(pfad), adresse)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    const auto zu = qScopeGuard([fd] { ::close(fd); });
    return Verbinden(fd, adresse, QDeadlineTimer(verbindenMs)) &&
           Schreiben(fd, zeile + '\n', QDeadlineTimer(schreibenMs));
}

} // namespace velorin

// One instance per installed program: real processes of velorin under a temporary runtime folder,
// and the activation of the running window in-process.
#include "CheckPrevious.h"

#include "graphics/IniDatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace velorin;

namespace {

// A client that speaks to the running instance as any other program of the user could.
class TFremderClient {
public:
    explicit TFremderClient(const QString& pfad) {
        const QByteArray name = QFile::encodeName(pfad);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        if (static_cast<std::size_t>(name.size()) >= sizeof adresse.sun_path) return;
        std::memcpy(adresse.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
        Fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (Fd >= 0 &&
            ::connect(Fd, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) != 0) {
            ::close(Fd);
            Fd = -1;
        }
    }
    ~TFremderClient() {
        if (Fd >= 0) ::close(Fd);
    }
    TFremderClient(const TFremderClient&) = delete;
    TFremderClient& operator=(const TFremderClient&) = delete;

    bool Verbunden() const { return Fd >= 0; }
    bool Senden(const QByteArray& daten) {
        return ::send(Fd, daten.constData(), static_cast<std::size_t>(daten.size()),
                      MSG_NOSIGNAL) == daten.size();
    }
    void SchreibenBeenden() { ::shutdown(Fd, SHUT_WR); }
    // The instance has hung up on us.
    bool Aufgelegt() {
        char zeichen;
        const ssize_t n = ::recv(Fd, &zeichen, 1, MSG_DONTWAIT);
        return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
    }

private:
    int Fd = -1;
};

} // namespace

class TInstanzTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Basis;
    QString Laufzeit;
    QString Daten;
    QString ProgrammA; // the program, with its help file
    QString ProgrammB; // the same program copied into another folder
    std::vector<std::unique_ptr<QProcess>> Prozesse;

    QString Kopieren(const QString& ordner) {
        QDir().mkpath(ordner);
        const QString ziel = ordner + QStringLiteral("/velorin");
        QFile::copy(QStringLiteral(VELORIN_PROGRAMM), ziel);
        // The data files of the build's program folder, so that the start shows no message.
        const QString quelle = QFileInfo(QStringLiteral(VELORIN_PROGRAMM)).absolutePath();
        for (const char* datei : {"/NV.chm", "/MP10.ssk"})
            QFile::copy(quelle + QLatin1String(datei), ordner + QLatin1String(datei));
        return ziel;
    }

    QProcess* Starten(const QString& programm, const QStringList& argumente = {},
                      bool ohneDisplay = false) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Laufzeit);
        env.insert(QStringLiteral("XDG_DATA_HOME"), Daten);
        env.insert(QStringLiteral("VELORIN_COMMON_APPDATA"), Basis.filePath("gemeinsam"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QString::fromLatin1(InstanzSchluesselVariable));
        if (ohneDisplay) {
            // A terminal without any display.
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        }
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(programm, argumente);
        if (!p->waitForStarted(5000)) qFatal("velorin does not start");
        Prozesse.push_back(std::move(p));
        return Prozesse.back().get();
    }

    QStringList Sockets() const {
        return QDir(Laufzeit).entryList({QStringLiteral("*.sock")},
                                        QDir::System | QDir::Files | QDir::Hidden);
    }
    // Listening instances, one socket each.
    int Instanzen() const { return static_cast<int>(Sockets().size()); }

    static bool Endet(QProcess* p, int ms = 10000) {
        return p->waitForFinished(ms) && p->exitStatus() == QProcess::NormalExit &&
               p->exitCode() == 0;
    }
    static bool LaeuftNoch(QProcess* p) { return !p->waitForFinished(1500); }

    // A quitting start, run to its end.
    bool Quit(const QString& programm, const QString& schalter) {
        return Endet(Starten(programm, {schalter}));
    }

private slots:
    void initTestCase() {
        Laufzeit = Basis.filePath(QStringLiteral("laufzeit"));
        Daten = Basis.filePath(QStringLiteral("daten"));
        QDir().mkpath(Laufzeit);
        QFile(Laufzeit).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
        ProgrammA = Kopieren(Basis.filePath(QStringLiteral("a")));
        ProgrammB = Kopieren(Basis.filePath(QStringLiteral("b")));
    }

    void cleanup() {
        for (auto& p : Prozesse) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        Prozesse.clear();
    }

    void quitSchalter_data() {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<bool>("quit");
        QTest::newRow("slash lower") << QStringList{"/quit"} << true;
        QTest::newRow("minus upper") << QStringList{"-QUIT"} << true;
        QTest::newRow("mixed, after others") << QStringList{"egal", "/QuIt"} << true;
        QTest::newRow("no switch sign") << QStringList{"quit"} << false;
        QTest::newRow("double minus") << QStringList{"--quit"} << false;
        QTest::newRow("longer") << QStringList{"/quitt"} << false;
        QTest::newRow("sign only") << QStringList{"/"} << false;
        QTest::newRow("none") << QStringList{} << false;
    }
    void quitSchalter() {
        QFETCH(QStringList, argumente);
        QFETCH(bool, quit);
        QCOMPARE(QuitRequested(argumente), quit);
    }

    void aktivierenHoltDasFensterNachVorn() {
        TInstanzWaechter erster(QStringLiteral("velorin-test-aktivieren"));
        QVERIFY(!erster.ActivateOrRegister(1));
        QVERIFY(erster.Registriert());
        QWidget fenster;
        erster.SetHauptfenster(&fenster);
        fenster.showMinimized();
        QTRY_VERIFY(fenster.isMinimized());

        TInstanzWaechter zweiter(QStringLiteral("velorin-test-aktivieren"));
        QVERIFY(zweiter.ActivateOrRegister(1));
        QVERIFY(!zweiter.Registriert());
        QTRY_VERIFY(!fenster.isMinimized());
        QTRY_VERIFY(fenster.isActiveWindow());
    }

    void zeileInTeilen() {
        TInstanzWaechter erster(QStringLiteral("velorin-test-teile"));
        QVERIFY(!erster.ActivateOrRegister(1));
        QWidget fenster;
        erster.SetHauptfenster(&fenster);
        fenster.showMinimized();
        QTRY_VERIFY(fenster.isMinimized());

        TFremderClient client(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                              QStringLiteral("/velorin-test-teile.sock"));
        QVERIFY(client.Verbunden());
        // A line counts once its newline is there, however the bytes arrive.
        QVERIFY(client.Senden("ACTI"));
        QTest::qWait(50);
        QVERIFY(client.Senden("VATE"));
        QTest::qWait(50);
        QVERIFY(fenster.isMinimized());
        QVERIFY(client.Senden("\n"));
        QTRY_VERIFY(!fenster.isMinimized());
    }

    void zuLangerSocketPfad() {
        // The instance runs without listening, as when any other listen() fails.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("zu lang")));
        TInstanzWaechter waechter(QString(150, QLatin1Char('x')));
        QVERIFY(!waechter.ActivateOrRegister(1));
        QVERIFY(waechter.Registriert());
        // No socket under a cut-off name either.
        const QString ordner = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QVERIFY(QDir(ordner)
                    .entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files)
                    .isEmpty());
    }

    void fremdeClientsBlockierenNicht() {
        QProcess* erster = Starten(ProgrammA);
        QTRY_COMPARE_WITH_TIMEOUT(Instanzen(), 1, 10000);
        const QString socket = Laufzeit + QLatin1Char('/') + Sockets().front();

        // Connects and never says a word.
        TFremderClient stumm(socket);
        QVERIFY(stumm.Verbunden());
        // Lines that are not requests, then the end of its data.
        TFremderClient muell(socket);
        QVERIFY(muell.Verbunden());
        static const char unsinn[] = "\0\xff MUELL\r\nQUITT\nACTIVATEX\n-QUIT\n";
        QVERIFY(muell.Senden(QByteArray(unsinn, sizeof unsinn - 1)));
        muell.SchreibenBeenden();
        QTRY_VERIFY(muell.Aufgelegt());
        // Too long, without a newline: hung up on before the line ends.
        TFremderClient ohneEnde(socket);
        QVERIFY(ohneEnde.Verbunden());
        QVERIFY(ohneEnde.Senden(QByteArray(4096, 'A')));
        QTRY_VERIFY(ohneEnde.Aufgelegt());
        // A request hidden behind more than a line's worth of blanks is no request.
        TFremderClient lang(socket);
        QVERIFY(lang.Verbunden());
        QVERIFY(lang.Senden(QByteArray(2000, ' ') + "QUIT\n"));
        QTRY_VERIFY(lang.Aufgelegt());
        QVERIFY(LaeuftNoch(erster));

        // Real requests still get through while the silent client holds its connection.
        QVERIFY(Endet(Starten(ProgrammA)));
        QVERIFY(LaeuftNoch(erster));
        QVERIFY(Quit(ProgrammA, QStringLiteral("/quit")));
        QVERIFY(Endet(erster));
        // The ended instance took its socket with it.
        QCOMPARE(Instanzen(), 0);
    }

    void zweiterStartEndet() {
        QProcess* erster = Starten(ProgrammA, {QStringLiteral("beliebig")});
        QTRY_COMPARE_WITH_TIMEOUT(Instanzen(), 1, 10000);
        QProcess* zweiter = Starten(ProgrammA);
        QVERIFY(Endet(zweiter));
        QVERIFY(LaeuftNoch(erster));
        QCOMPARE(Instanzen(), 1);

        // A copy in another folder is another program.
        QProcess* kopie = Starten(ProgrammB);
        QTRY_COMPARE_WITH_TIMEOUT(Instanzen(), 2, 10000);
        QVERIFY(LaeuftNoch(kopie));

        // The quit switch ends the running instance of its own program, then itself.
        QVERIFY(Quit(ProgrammA, QStringLiteral("/quit")));
        QVERIFY(Endet(erster));
        QVERIFY(LaeuftNoch(kopie));
        // Placement written, colours not.
        const TIniText ini =
            TIniText::Laden((Daten + QStringLiteral("/Orvat/Velorin/velorin.ini")).toStdString());
        QVERIFY(ini.SectionExists("frmNavolet"));
        QVERIFY(!ini.SectionExists("StatusColors"));

        // A following normal start runs as the only instance of its program.
        QProcess* neu = Starten(ProgrammA);
        QVERIFY(LaeuftNoch(neu));
        QVERIFY(Quit(ProgrammA, QStringLiteral("-Quit")));
        QVERIFY(Endet(neu));
        QVERIFY(Quit(ProgrammB, QStringLiteral("-QUIT")));
        QVERIFY(Endet(kopie));
    }

    void quitOhneLaufendeInstanz() {
        QVERIFY(Quit(ProgrammA, QStringLiteral("-QUIT")));
        // The quitting start did not count: the next start runs.
        QProcess* p = Starten(ProgrammA);
        QVERIFY(LaeuftNoch(p));
        // The quit switch needs no display.
        QVERIFY(Endet(Starten(ProgrammA, {QStringLiteral("/quit")}, true)));
        QVERIFY(Endet(p));
    }

    void getoeteteInstanzBlockiertNicht() {
        QProcess* erster = Starten(ProgrammA);
        QTRY_COMPARE_WITH_TIMEOUT(Instanzen(), 1, 10000);
        erster->kill(); // SIGKILL: no clean-up at all
        QVERIFY(erster->waitForFinished(5000));
        QProcess* neu = Starten(ProgrammA);
        QVERIFY(LaeuftNoch(neu));
        // And it is the registered one: a further start hands over and ends.
        QProcess* dritter = Starten(ProgrammA);
        QVERIFY(Endet(dritter));
        QVERIFY(LaeuftNoch(neu));
        QVERIFY(Quit(ProgrammA, QStringLiteral("/QUIT")));
        QVERIFY(Endet(neu));
    }
};

int main(int argc, char* argv[]) {
    // The in-process guards use their own runtime folder too.
    QTemporaryDir laufzeit;
    qputenv("XDG_RUNTIME_DIR", laufzeit.path().toLocal8Bit());
    QApplication app(argc, argv);
    TInstanzTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "instanz_test.moc"

#include "BasisFenster.h"
#include "graphics/IniDatei.h"
#include "shell/ShellDienste.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace velorin;

namespace {

const QRect Design(0, 0, 749, 607);
const char* const Section = "frmTest";

} // namespace

class TestBasisFenster : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FTemp;
    QString FIni;

    std::unique_ptr<TfrmBase> Fenster() {
        return std::make_unique<TfrmBase>(QString::fromLatin1(Section), Design);
    }
    static void Zeigen(TfrmBase& f) {
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
    }
    static void Warten() { QTest::qWait(20); }

    QString Wert(const char* key) const {
        return QString::fromStdString(
            TIniText::Laden(QFile::encodeName(FIni).toStdString()).ReadString(Section, key, "-"));
    }
    QStringList Werte() const {
        return {Wert("WindowState"), Wert("Left"), Wert("Top"), Wert("Width"), Wert("Height")};
    }
    void Schreiben(const QByteArray& inhalt) {
        QVERIFY(QDir().mkpath(QFileInfo(FIni).path()));
        QFile f(FIni);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }

private slots:
    void init() {
        FTemp = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(FTemp->path()));
        FIni = FTemp->filePath(QStringLiteral(ERWARTETE_FIRMA "/Velorin/test_basewindow.ini"));
    }

    void ersterStart() {
        {
            auto f = Fenster();
            QCOMPARE(f->IniFileName(), FIni);
            QVERIFY(QFileInfo(FIni).dir().exists()); // before anything was written
            QCOMPARE(f->VersionInfo().size(), 6);
            QCOMPARE(ValueOf(f->VersionInfo(), "product name"), QStringLiteral("Velorin"));
            QCOMPARE(f->objectName(), QStringLiteral("frmTest"));
            Zeigen(*f);
            QCOMPARE(f->windowState(), Qt::WindowNoState);
            QCOMPARE(f->geometry().size(), Design.size());
            QCOMPARE(f->pos(), Design.topLeft());
        }
        QCOMPARE(Werte(), (QStringList{"0", "0", "0", "749", "607"}));
        // Written in this order.
        QFile ini(FIni);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(ini.readAll());
        QStringList keys;
        for (const QString& zeile : text.split(QLatin1Char('\n')))
            if (zeile.contains(QLatin1Char('='))) keys << zeile.section(QLatin1Char('='), 0, 0);
        QCOMPARE(keys, (QStringList{"WindowState", "Left", "Top", "Width", "Height"}));
    }

    void maximiertBeendetUndWiederhergestellt() {
        {
            auto f = Fenster();
            Zeigen(*f);
            f->move(100, 50);
            f->resize(800, 600);
            Warten();
            QCOMPARE(f->ResizeWidth(), 800);
            f->setWindowState(Qt::WindowMaximized);
            Warten();
            QVERIFY(f->pos().x() <= 0 && f->pos().y() <= 0);
        }
        QCOMPARE(Werte(), (QStringList{"1", "100", "50", "800", "600"}));

        auto f = Fenster();
        QVERIFY(f->windowState().testFlag(Qt::WindowMaximized));
        Zeigen(*f);
        f->setWindowState(Qt::WindowNoState);
        Warten();
        QCOMPARE(f->geometry().size(), QSize(800, 600));
        QCOMPARE(f->pos(), QPoint(100, 50));
        // Recording again after the restore.
        f->move(120, 70);
        Warten();
        f.reset();
        QCOMPARE(Werte(), (QStringList{"0", "120", "70", "800", "600"}));
    }

    void minimiertBeendet() {
        {
            auto f = Fenster();
            Zeigen(*f);
            f->move(100, 50);
            Warten();
            f->setWindowState(Qt::WindowMinimized);
            Warten();
        }
        QCOMPARE(Werte(), (QStringList{"0", "100", "50", "749", "607"}));
    }

    void randUndNegativeLinkePosition() {
        {
            auto f = Fenster();
            Zeigen(*f);
            f->move(100, 50);
            Warten();
            f->move(0, 80); // the left screen edge: left stays, top is taken
            Warten();
        }
        QCOMPARE(Werte(), (QStringList{"0", "100", "80", "749", "607"}));
        {
            auto f = Fenster();
            Zeigen(*f);
            f->move(-40, 90);
            Warten();
            QVERIFY(f->pos().x() < 0);
        }
        QCOMPARE(Werte(), (QStringList{"0", "100", "90", "749", "607"}));
        int links = 0;
        {
            auto f = Fenster();
            Zeigen(*f);
            f->move(-40, 90);
            Warten();
            f->resize(700, 500); // a resize takes the position whatever its sign
            Warten();
            links = f->pos().x();
            QVERIFY(links < 0);
        }
        QCOMPARE(Werte(), (QStringList{"0", QString::number(links), "90", "700", "500"}));
    }

    void gespeicherteWerte_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("maximiert");
        QTest::addColumn<QRect>("grenzen");
        QTest::newRow("WindowState 7")
            << QByteArray("[frmTest]\nWindowState=7\nLeft=10\nTop=20\nWidth=640\nHeight=480\n")
            << true << QRect(10, 20, 640, 480);
        QTest::newRow("Width abc") << QByteArray("[FRMTEST]\nwidth=abc\nLeft=5\nTop=6\n") << false
                                   << QRect(5, 6, 749, 607);
        QTest::newRow("Width 0x320") << QByteArray("[frmTest]\nWidth=0x320\nHeight=0x258\n")
                                     << false << QRect(0, 0, 800, 600);
        QTest::newRow("negative Left")
            << QByteArray("[frmTest]\nLeft=-30\nTop=-5\n") << false << QRect(-30, -5, 749, 607);
        QTest::newRow("Width 0, Height negativ")
            << QByteArray("[frmTest]\nWidth=0\nHeight=-3\n") << false << QRect(0, 0, 749, 607);
        QTest::newRow("andere Section")
            << QByteArray("[frmAnders]\nWidth=100\n") << false << QRect(0, 0, 749, 607);
    }
    void gespeicherteWerte() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, maximiert);
        QFETCH(QRect, grenzen);
        Schreiben(ini);
        auto f = Fenster();
        QCOMPARE(f->windowState().testFlag(Qt::WindowMaximized), maximiert);
        QCOMPARE(f->ResizeWidth(), grenzen.width());
        QCOMPARE(f->ResizeHeight(), grenzen.height());
        Zeigen(*f);
        if (maximiert) f->setWindowState(Qt::WindowNoState);
        Warten();
        QCOMPARE(QRect(f->pos(), f->size()), grenzen);
    }

    void andereSectionBleibt() {
        Schreiben("[StatusColors]\r\nColor0=255\r\n; Notiz\r\n\r\n[frmTest]\r\nLeft=3\r\n");
        Fenster().reset();
        QFile f(FIni);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("[StatusColors]\r\nColor0=255\r\n; Notiz\r\n\r\n"));
        QCOMPARE(Werte(), (QStringList{"0", "3", "0", "749", "607"}));
    }

    void handlerBeiMaximierenUndWiederherstellen() {
        auto f = Fenster();
        QStringList aufrufe;
        f->SetOnMaximize([&](TfrmBase* s, int& w, int& h) {
            QCOMPARE(s, f.get());
            aufrufe << QStringLiteral("max");
            w = h = -1; // discarded
        });
        f->SetOnRestore([&](TfrmBase*, int& w, int& h) {
            aufrufe << QStringLiteral("restore %1x%2").arg(w).arg(h);
        });
        Zeigen(*f);
        aufrufe.clear();
        f->setWindowState(Qt::WindowMaximized);
        Warten();
        QVERIFY(aufrufe.contains("max"));
        QVERIFY(!aufrufe.join(' ').contains("restore"));
        aufrufe.clear();
        f->setWindowState(Qt::WindowNoState);
        Warten();
        QVERIFY(!aufrufe.contains("max"));
        QVERIFY(aufrufe.contains("restore 749x607"));
        QCOMPARE(f->geometry().size(), Design.size());
    }

    // The folder cannot be made: one message per folder, then the program ends.
    void ordnerNichtAnlegbar() {
        QFile sperre(FTemp->filePath(ERWARTETE_FIRMA));
        QVERIFY(sperre.open(QIODevice::WriteOnly));
        sperre.close();
        auto meldungen = std::make_shared<QStringList>();
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [meldungen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *meldungen << box->text();
                box->accept();
            }
        });
        timer.start(10);
        auto f = Fenster();
        timer.stop();
        const QString firma = FTemp->path() + "/" ERWARTETE_FIRMA "/";
        QCOMPARE(*meldungen,
                 (QStringList{"Verzeichnis " + firma + " konnte nicht angelegt werden",
                              "Verzeichnis " + firma + "Velorin/ konnte nicht angelegt werden"}));
        // The quit request waits in the event queue; the loop ends at once when it runs.
        QTimer::singleShot(2000, [] { QCoreApplication::exit(42); });
        QCOMPARE(QCoreApplication::exec(), 0);
        // Saving fails as well; the destructor reports it instead of throwing.
        timer.start(10);
        f.reset();
        timer.stop();
        QCOMPARE(meldungen->size(), 3);
        QCOMPARE(meldungen->last(),
                 "In " + firma + "Velorin/test_basewindow.ini kann nicht geschrieben werden");
    }

    void saveToIniWirft() {
        auto f = Fenster();
        QVERIFY(QDir().mkpath(FIni)); // a folder where the file should be
        QVERIFY_THROWS_EXCEPTION(EIniFileException, f->SaveToIni());
        QVERIFY(QDir().rmdir(FIni));
    }
};

QTEST_MAIN(TestBasisFenster)
#include "test_basewindow.moc"

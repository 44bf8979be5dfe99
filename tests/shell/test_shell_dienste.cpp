#include "shell/ShellDienste.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velorin;

// Receives what the desktop would have been asked to open.
class TUrlFaenger : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public slots:
    void oeffnen(const QUrl& url) { Urls.append(url); }
};

class TestShellDienste : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FTemp;
    QString Pfad(const QString& name) const { return FTemp.filePath(name); }

private slots:
    void init() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(Pfad("daten/")));
        qputenv(CommonAppDataVariable, QFile::encodeName(Pfad("alle//")));
    }

    void benutzerOrdnerOhneTrenner() {
        QCOMPARE(GetSpecialFolderPath(CSIDL_APPDATA), Pfad("daten"));
        QCOMPARE(GetSpecialFolderPath(CSIDL_COMMON_APPDATA), Pfad("alle"));
        QCOMPARE(GetSpecialFolderPath(0), QString());
        QCOMPARE(GetSpecialFolderPath(0x1C), QString());
    }

    // Without a usable machine folder the all-users folder falls back to one the user can make.
    void gemeinsamerOrdnerOhneVorgabe_data() {
        QTest::addColumn<QString>("maschine");
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("beschreibbar") << Pfad("maschine") << Pfad("maschine");
        QTest::newRow("fehlt") << Pfad("gibt-es-nicht") << Pfad("daten/all-users");
        QTest::newRow("Datei statt Firmenordner") << Pfad("blockiert") << Pfad("daten/all-users");
        QTest::newRow("leer") << QString() << Pfad("daten/all-users");
    }
    void gemeinsamerOrdnerOhneVorgabe() {
        QFETCH(QString, maschine);
        QFETCH(QString, erwartet);
        QVERIFY(QDir().mkpath(Pfad("maschine")));
        QVERIFY(QDir().mkpath(Pfad("blockiert")));
        QFile datei(Pfad("blockiert/" ERWARTETE_FIRMA));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.close();
        for (const char* vorgabe : {"", "relativ/pfad"}) {
            qputenv(CommonAppDataVariable, vorgabe);
            QCOMPARE(GemeinsamerOrdner(maschine), erwartet);
        }
        QVERIFY(!QFileInfo::exists(Pfad("daten/all-users"))); // finding it creates nothing
    }

    void versionsListeAlsQStringList() {
        QStringList liste{"alt=1"};
        QVERIFY(LoadVersionInfo(liste));
        std::vector<std::string> std;
        QVERIFY(LoadVersionInfo(std));
        QCOMPARE(liste.size(), qsizetype(std.size()));
        QCOMPARE(liste.value(0), QStringLiteral("Company Name=" ERWARTETE_FIRMA));
        QCOMPARE(ValueOf(liste, "PRODUCT name"), QStringLiteral("Velorin"));
        QCOMPARE(ValueOf(QStringList{"Kein Gleich", "Ä=ä=1"}, "ä"), QStringLiteral("ä=1"));
        QCOMPARE(ValueOf(liste, "Product"), QString());
    }

    void shellOpenStartetProgramme() {
        const QString skript = Pfad("start.sh");
        QFile f(skript);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\ntouch \"$0.lief\"\n");
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
        ShellOpen(nullptr, skript);
        QTRY_VERIFY(QFileInfo::exists(skript + ".lief"));
    }

    void shellOpenGibtAllesAndereDemDesktop() {
        TUrlFaenger faenger;
        QDesktopServices::setUrlHandler("file", &faenger, "oeffnen");
        QDesktopServices::setUrlHandler("https", &faenger, "oeffnen");
        QFile text(Pfad("notiz.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.close();

        ShellOpen(nullptr, Pfad("notiz.txt"));
        ShellOpen(nullptr, Pfad("fehlt.exe"));
        ShellOpen(nullptr, "https://example.invalid/update");
        ShellOpen(nullptr, QString());
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");

        const QList<QUrl> erwartet{QUrl::fromLocalFile(Pfad("notiz.txt")),
                                   QUrl::fromLocalFile(Pfad("fehlt.exe")),
                                   QUrl("https://example.invalid/update")};
        QCOMPARE(faenger.Urls, erwartet);
    }
};

QTEST_MAIN(TestShellDienste)
#include "test_shell_dienste.moc"

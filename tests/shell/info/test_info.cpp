#include "InfoFrm.h"

#include "SteuerVar.h"
#include "graphics/Darstellung.h"
#include "shell/ShellDienste.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace velorin;

namespace {

const QString KeineVerbindung = QStringLiteral("Es wurde keine Internetverbindung erkannt");

// A minimal HTTP server on 127.0.0.1 that answers every request with one fixed response.
class THttpServer : public QObject {
public:
    int Status = 200;
    QByteArray Inhalt;
    int Anfragen = 0;

    bool Starten(quint16 port = 0) {
        connect(&FServer, &QTcpServer::newConnection, this, &THttpServer::Annehmen,
                Qt::UniqueConnection);
        return FServer.listen(QHostAddress::LocalHost, port);
    }
    quint16 Port() const { return FServer.serverPort(); }
    QString Adresse() const {
        return QStringLiteral("http://127.0.0.1:%1/velorin/historie.html").arg(Port());
    }

private:
    void Annehmen() {
        while (QTcpSocket* s = FServer.nextPendingConnection()) {
            auto puffer = std::make_shared<QByteArray>();
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QTcpSocket::readyRead, this, [this, s, puffer] {
                puffer->append(s->readAll());
                if (!puffer->contains("\r\n\r\n")) return;
                ++Anfragen;
                QByteArray antwort =
                    "HTTP/1.1 " + QByteArray::number(Status) + (Status == 200 ? " OK" : " Fehler") +
                    "\r\nContent-Type: text/html; charset=utf-8"
                    "\r\nContent-Length: " +
                    QByteArray::number(Inhalt.size()) + "\r\nConnection: close\r\n\r\n" + Inhalt;
                s->write(antwort);
                s->disconnectFromHost();
            });
        }
    }

    QTcpServer FServer;
};

// A loopback port on which nothing listens.
quint16 FreierPort() {
    QTcpServer s;
    if (!s.listen(QHostAddress::LocalHost, 0)) return 0;
    const quint16 port = s.serverPort();
    s.close();
    return port;
}

// Handles the next modal window once the event loop runs, and makes sure it is closed afterwards
// even when a check inside fails.
void NaechstesModal(std::function<void(QWidget*)> behandeln) {
    QTimer::singleShot(0, [behandeln] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        behandeln(w);
        if (w)
            QMetaObject::invokeMethod(w, "done", Qt::QueuedConnection,
                                      Q_ARG(int, int(QDialog::Rejected)));
    });
}

template <typename T> T* Kind(QWidget* w, const char* name) {
    T* kind = w->findChild<T*>(QString::fromLatin1(name));
    if (kind == nullptr) qFatal("control %s missing", name);
    return kind;
}

bool IstFehlerSeite(QTextBrowser* browser) {
    const QTextDocument* doc = browser->document();
    return doc->toPlainText().trimmed() == KeineVerbindung && doc->blockCount() == 1 &&
           doc->firstBlock().blockFormat().headingLevel() == 1;
}

} // namespace

class TestInfo : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FTemp;
    QString FOrdner; // program folder with the document

    // Shows the dialog as the main window does, with the given program folder.
    int Zeigen(int seite, const QString& ordner, const TDarstellung& werte = {},
               const std::string& ini = {}) {
        TSteuerVar steuerVar;
        steuerVar.URLVersionHistory = "http://127.0.0.1:9/wird-ersetzt";
        steuerVar.Theme.UIStyle = TUIStyle::WinXP;
        QStringList versionen;
        LoadVersionInfo(versionen);
        const std::string pfad = ini.empty() ? FTemp.filePath("Velorin.ini").toStdString() : ini;
        return TfrmInfo::ShowInfoForm(nullptr, steuerVar, versionen, werte, pfad, seite, ordner);
    }

private slots:
    void initTestCase() {
        QVERIFY(FTemp.isValid());
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QApplication::setApplicationDisplayName(QStringLiteral("Velorin"));
        FOrdner = FTemp.filePath(QStringLiteral("programm"));
        QVERIFY(QDir().mkpath(FOrdner));
        QVERIFY(QFile::copy(QStringLiteral(INFO_QUELLE), FOrdner + QStringLiteral("/Info.html")));
    }

    void init() {
        // Never anything beyond loopback, whatever a test forgets to set.
        qputenv(VersionsHistorieVariable,
                QStringLiteral("http://127.0.0.1:%1/").arg(FreierPort()).toUtf8());
    }

    void hintLangerTeil_data() {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("lang");
        QTest::newRow("ohne Trenner") << "bringt das Programm"
                                      << "bringt das Programm";
        QTest::newRow("nur lang") << "|schließt das Info-Fenster"
                                  << "schließt das Info-Fenster";
        QTest::newRow("kurz und lang") << "kurz|lang|mit Strich"
                                       << "lang|mit Strich";
        QTest::newRow("leer") << ""
                              << "";
    }
    void hintLangerTeil() {
        QFETCH(QString, hint);
        QFETCH(QString, lang);
        QCOMPARE(GetLongHint(hint), lang);
    }

    // Opened from "Info": the Program tab with name, versions, texts, the document from the
    // build's program folder and the hints in the status bar.
    void programmSeite() {
        bool geprueft = false;
        NaechstesModal([&](QWidget* w) {
            auto* dlg = qobject_cast<TfrmInfo*>(w);
            QVERIFY(dlg != nullptr);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Info"));
            QCOMPARE(dlg->minimumHeight(), 500);
            QCOMPARE(Kind<QTabWidget>(dlg, "pcInfo")->currentWidget()->objectName(),
                     QStringLiteral("tsProgramm"));
            QCOMPARE(Kind<QLabel>(dlg, "lblProgramm")->text(), QStringLiteral("Velorin"));
            QTRY_COMPARE(Kind<QLabel>(dlg, "lblProgVers")->text(),
                         QStringLiteral(" Datei-Version: 1.1.8.4, Programm-Version: 1.1.8"));
            QCOMPARE(Kind<QLabel>(dlg, "lblCopyright")->text(), QString::fromUtf8(InfoCopyRight));
            QCOMPARE(Kind<QPushButton>(dlg, "btnZurueck")->text(), QStringLiteral("zurück"));
            QCOMPARE(Kind<QLabel>(dlg, "ErfolgLabel")->text(),
                     QStringLiteral("Viel Erfolg beim Lernen!"));
            QVERIFY(Kind<QTextEdit>(dlg, "RichEdit1")
                        ->toPlainText()
                        .contains(QStringLiteral("Winddreieck")));
            QCOMPARE(dlg->Theme().UIStyle, TUIStyle::WinXP);

            auto zeigen = [&](const char* name) {
                QWidget* control = Kind<QWidget>(dlg, name);
                QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
                QCoreApplication::sendEvent(control, &enter);
                return Kind<QStatusBar>(dlg, "StatusBar1")->currentMessage();
            };
            QCOMPARE(zeigen("btnZurueck"), QStringLiteral("schließt das Info-Fenster"));
            QCOMPARE(zeigen("btnAktualisieren"),
                     QStringLiteral("bringt das Programm bei bestehender Internetverbindung auf "
                                    "den aktuellen Stand"));
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(Kind<QWidget>(dlg, "btnAktualisieren"), &leave);
            QCOMPARE(Kind<QStatusBar>(dlg, "StatusBar1")->currentMessage(), QString());
            geprueft = true;
        });
        QCOMPARE(Zeigen(0, QStringLiteral(PROGRAMM_ORDNER)), mrCancel);
        QVERIFY(geprueft);
    }

    void programmNameAusTitel_data() {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("name");
        QTest::newRow("mit Version") << "Velorin Version 1.1.8"
                                     << "Velorin";
        QTest::newRow("ohne Version") << "Velorin"
                                      << "Velorin";
        QTest::newRow("Version ohne Blank") << "VelorinVersion 2"
                                            << "VelorinVersion 2";
    }
    void programmNameAusTitel() {
        QFETCH(QString, titel);
        QFETCH(QString, name);
        QApplication::setApplicationDisplayName(titel);
        QString gelesen;
        NaechstesModal([&](QWidget* w) { gelesen = Kind<QLabel>(w, "lblProgramm")->text(); });
        TfrmInfo::ShowInfoForm(0, TTheme{}, {}, QStringLiteral("1.1.8"), QString(),
                               QStringLiteral("zurück"), QString(), QString(),
                               QStringLiteral("update.EXE"), QString(), nullptr, FOrdner);
        QApplication::setApplicationDisplayName(QStringLiteral("Velorin"));
        QCOMPARE(gelesen, name);
    }

    // The version tab opened at once: a closed port gives the replacement page and disables
    // the update; once a server answers, "Änderungshistorie abrufen" shows its page and enables
    // the update again.
    void versionsSeiteOhneUndMitVerbindung() {
        const quint16 port = FreierPort();
        QVERIFY(port != 0);
        THttpServer server;
        server.Inhalt = "<html><body><h1>Versionshistorie</h1>"
                        "<p>1.1.8: Änderungen der Anzeige</p></body></html>";
        qputenv(VersionsHistorieVariable,
                QStringLiteral("http://127.0.0.1:%1/velorin/historie.html").arg(port).toUtf8());
        bool geprueft = false;
        NaechstesModal([&](QWidget* w) {
            auto* browser = Kind<QTextBrowser>(w, "WebBrowser1");
            auto* aktualisieren = Kind<QPushButton>(w, "btnAktualisieren");
            QCOMPARE(Kind<QTabWidget>(w, "pcInfo")->currentWidget()->objectName(),
                     QStringLiteral("tsAktVers"));
            QTRY_VERIFY(IstFehlerSeite(browser));
            QVERIFY(!aktualisieren->isEnabled());

            QVERIFY(server.Starten(port));
            QTest::mouseClick(Kind<QPushButton>(w, "btnVersionshistorie"), Qt::LeftButton);
            QTRY_VERIFY(aktualisieren->isEnabled());
            const QString text = browser->toPlainText();
            QVERIFY2(text.contains(QStringLiteral("Versionshistorie")), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Änderungen der Anzeige")));
            QVERIFY(!text.contains(KeineVerbindung));
            QCOMPARE(server.Anfragen, 1);
            geprueft = true;
        });
        QCOMPARE(Zeigen(1, FOrdner), mrCancel);
        QVERIFY(geprueft);
    }

    // A server that answers with an error status is no version history either; switching tabs
    // by hand starts the loading too.
    void httpFehlerIstKeineSeite() {
        THttpServer server;
        server.Status = 404;
        server.Inhalt = "<html><body><h1>Nicht gefunden</h1></body></html>";
        QVERIFY(server.Starten());
        qputenv(VersionsHistorieVariable, server.Adresse().toUtf8());
        bool geprueft = false;
        NaechstesModal([&](QWidget* w) {
            auto* browser = Kind<QTextBrowser>(w, "WebBrowser1");
            QVERIFY(browser->toPlainText().isEmpty());
            QCOMPARE(server.Anfragen, 0);
            Kind<QTabWidget>(w, "pcInfo")->setCurrentIndex(1);
            QTRY_VERIFY(IstFehlerSeite(browser));
            QCOMPARE(server.Anfragen, 1);
            QVERIFY(!Kind<QPushButton>(w, "btnAktualisieren")->isEnabled());
            geprueft = true;
        });
        Zeigen(0, FOrdner);
        QVERIFY(geprueft);
    }

    // "Programm aktualisieren" writes the status colours first; the update program found in
    // the program folder sees them already written. A missing update program says nothing.
    void aktualisierenSchreibtVorDemStart_data() {
        QTest::addColumn<bool>("mitProgramm");
        QTest::newRow("update.EXE vorhanden") << true;
        QTest::newRow("update.EXE fehlt") << false;
    }
    void aktualisierenSchreibtVorDemStart() {
        QFETCH(bool, mitProgramm);
        QTemporaryDir ordner;
        QVERIFY(QFile::copy(QStringLiteral(INFO_QUELLE), ordner.filePath("Info.html")));
        const QString ini = ordner.filePath(QStringLiteral("daten/Velorin.ini"));
        QVERIFY(QDir().mkpath(ordner.filePath("daten")));
        const QString spur = ordner.filePath(QStringLiteral("gestartet.txt"));
        if (mitProgramm) {
            QFile skript(ordner.filePath(QStringLiteral("update.EXE")));
            QVERIFY(skript.open(QIODevice::WriteOnly));
            skript.write(QStringLiteral("#!/bin/sh\ncat '%1' > '%2.neu' 2>&1\nmv '%2.neu' '%2'\n")
                             .arg(ini, spur)
                             .toUtf8());
            skript.close();
            QVERIFY(skript.setPermissions(skript.permissions() | QFile::ExeOwner));
        }
        TDarstellung werte;
        werte.StatusColors[CI_Ergebnis] = 0x123456;
        werte.LinienBreiteVektoren = 25;

        bool geprueft = false;
        NaechstesModal([&](QWidget* w) {
            QVERIFY(!QFile::exists(ini));
            Kind<QPushButton>(w, "btnAktualisieren")->click();
            // Written by the time the click returns, before anything was started.
            const TDarstellung gelesen = StatusLesen(ini.toStdString());
            QVERIFY(gelesen == werte);
            if (mitProgramm) {
                QTRY_VERIFY(QFile::exists(spur));
                QFile f(spur);
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QByteArray inhalt = f.readAll();
                QVERIFY2(inhalt.contains("[StatusColors]"), inhalt.constData());
                QVERIFY(inhalt.contains("CI_Ergebnis=" + QByteArray::number(0x123456)));
                QVERIFY(inhalt.contains("LinienbreiteVektoren=25"));
            } else {
                QTest::qWait(200);
                QVERIFY(!QFile::exists(spur));
            }
            // The dialog stays open and no message came up.
            QCOMPARE(QApplication::activeModalWidget(), w);
            geprueft = true;
        });
        Zeigen(0, ordner.path(), werte, ini.toStdString());
        QVERIFY(geprueft);
    }

    // The notification runs to its end before the update program starts, with the button as
    // sender: a slow one still finishes first.
    void aktualisierenWartetAufBenachrichtigung() {
        QTemporaryDir ordner;
        QVERIFY(QFile::copy(QStringLiteral(INFO_QUELLE), ordner.filePath("Info.html")));
        const QString fertig = ordner.filePath(QStringLiteral("benachrichtigt"));
        const QString spur = ordner.filePath(QStringLiteral("gestartet.txt"));
        QFile skript(ordner.filePath(QStringLiteral("update.EXE")));
        QVERIFY(skript.open(QIODevice::WriteOnly));
        // Appends, so that any start before the notification has finished shows up as well.
        skript.write(QStringLiteral("#!/bin/sh\nif [ -e '%1' ]; then echo danach; else echo "
                                    "vorher; fi >> '%2'\n")
                         .arg(fertig, spur)
                         .toUtf8());
        skript.close();
        QVERIFY(skript.setPermissions(skript.permissions() | QFile::ExeOwner));

        const void* sender = nullptr;
        const TNotifyEvent benachrichtigen = [&](const void* s) {
            sender = s;
            QThread::msleep(300);
            QFile f(fertig);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        const void* knopf = nullptr;
        NaechstesModal([&](QWidget* w) {
            auto* btn = Kind<QPushButton>(w, "btnAktualisieren");
            knopf = btn;
            btn->click();
            QTRY_VERIFY(QFile::exists(spur));
        });
        TfrmInfo::ShowInfoForm(0, TTheme{}, benachrichtigen, QStringLiteral("1.1.8"), QString(),
                               QStringLiteral("zurück"), QString(), QString(),
                               QStringLiteral("update.EXE"), QStringLiteral("Velorin"), nullptr,
                               ordner.path());
        QVERIFY(knopf != nullptr);
        QCOMPARE(sender, knopf);
        QFile f(spur);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().trimmed(), QByteArray("danach"));
    }

    // Settings that cannot be written are reported, and the update program is then not started.
    void aktualisierenOhneGespeicherteEinstellungen() {
        QTemporaryDir ordner;
        QVERIFY(QFile::copy(QStringLiteral(INFO_QUELLE), ordner.filePath("Info.html")));
        const QString spur = ordner.filePath(QStringLiteral("gestartet.txt"));
        QFile skript(ordner.filePath(QStringLiteral("update.EXE")));
        QVERIFY(skript.open(QIODevice::WriteOnly));
        skript.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(spur).toUtf8());
        skript.close();
        QVERIFY(skript.setPermissions(skript.permissions() | QFile::ExeOwner));
        // The settings folder is a file, so nothing can be written below it.
        QFile sperre(ordner.filePath(QStringLiteral("daten")));
        QVERIFY(sperre.open(QIODevice::WriteOnly));
        sperre.close();
        const QString ini = ordner.filePath(QStringLiteral("daten/Velorin.ini"));

        QString meldung;
        NaechstesModal([&](QWidget* w) {
            NaechstesModal([&](QWidget* box) {
                auto* mb = qobject_cast<QMessageBox*>(box);
                QVERIFY(mb != nullptr);
                meldung = mb->text();
            });
            Kind<QPushButton>(w, "btnAktualisieren")->click();
        });
        Zeigen(0, ordner.path(), TDarstellung{}, ini.toStdString());
        QVERIFY2(meldung.contains(QStringLiteral("kann nicht geschrieben werden")),
                 qPrintable(meldung));
        QTest::qWait(200);
        QVERIFY(!QFile::exists(spur));
    }

    // Without its document the dialog is not shown: the message names the file, and the call
    // ends with "cancel".
    void fehlendesDokument() {
        QTemporaryDir leer;
        QString meldung;
        QString titel;
        bool dialogGezeigt = false;
        NaechstesModal([&](QWidget* w) {
            dialogGezeigt = qobject_cast<TfrmInfo*>(w) != nullptr;
            if (auto* mb = qobject_cast<QMessageBox*>(w)) {
                meldung = mb->text();
                titel = mb->windowTitle();
            }
        });
        QCOMPARE(Zeigen(0, leer.path()), mrCancel);
        QVERIFY(!dialogGezeigt);
        QCOMPARE(titel, QStringLiteral("Velorin"));
        QCOMPARE(meldung, QStringLiteral("Datei %1/Info.html kann nicht geöffnet werden. Das "
                                         "System kann die angegebene Datei nicht finden.")
                              .arg(leer.path()));
        const QWidgetList fenster = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(fenster.cbegin(), fenster.cend(),
                             [](QWidget* t) { return qobject_cast<TfrmInfo*>(t) != nullptr; }));
    }

    // Opened on the version tab without a document, the dialog works; returning to the Program
    // tab then reports the missing file and the dialog stays open.
    void fehlendesDokumentBeimTabwechsel() {
        QTemporaryDir leer;
        QString meldung;
        bool offen = false;
        NaechstesModal([&](QWidget* w) {
            NaechstesModal([&](QWidget* box) {
                if (auto* mb = qobject_cast<QMessageBox*>(box)) meldung = mb->text();
            });
            Kind<QTabWidget>(w, "pcInfo")->setCurrentIndex(0);
            offen = w->isVisible();
        });
        Zeigen(1, leer.path());
        QVERIFY2(meldung.startsWith(QStringLiteral("Datei ")), qPrintable(meldung));
        QVERIFY(meldung.contains(QStringLiteral("kann nicht geöffnet werden.")));
        QVERIFY(offen);
    }
};

QTEST_MAIN(TestInfo)
#include "test_info.moc"

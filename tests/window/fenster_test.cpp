// The calculator window offscreen: layout, start state, entry and display, focus, settings.
#include "NavoletFrm.h"
#include "Umgebung.h"

#include "Bedienelemente.h"
#include "Design.h"
#include "HilfeFenster.h"
#include "InfoModul.h"
#include "SteuerVar.h"
#include "graphics/Darstellung.h"
#include "graphics/IniDatei.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velorin;

namespace {

test::TOrdner Ordner;

QColor Farbe(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

class TFensterTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TfrmNavolet> Fenster;

    // A window shown and active, so that focus changes send their events.
    TfrmNavolet& Zeigen() {
        Fenster = std::make_unique<TfrmNavolet>(Ordner.Programm);
        Fenster->show();
        Fenster->activateWindow();
        if (!QTest::qWaitForWindowActive(Fenster.get())) qFatal("window not active");
        return *Fenster;
    }
    QLineEdit* Feld(TFeldNamen f) const { return Fenster->Feld(f); }
    TEingStatus Status(TFeldNamen f) const { return Fenster->Rechner().EingabeStatus()[f]; }

    // Types into the field that has the focus and leaves it with the given key.
    void Eingeben(const QString& text, Qt::Key taste, Qt::KeyboardModifiers mod = {}) {
        QWidget* fokus = QApplication::focusWidget();
        QVERIFY(fokus != nullptr);
        QTest::keyClicks(fokus, text);
        QTest::keyClick(fokus, taste, mod);
        QCoreApplication::processEvents(); // the posted focus move of Enter
    }
    // Runs handle on the modal dialog of that name as soon as it is open.
    template <typename F> static void ImDialog(const QString& name, F handle) {
        auto* uhr = new QTimer;
        QObject::connect(uhr, &QTimer::timeout, [uhr, name, handle] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || dialog->objectName() != name || !dialog->isVisible()) return;
            uhr->stop();
            uhr->deleteLater();
            handle(dialog);
        });
        uhr->start(10);
    }
    void Fokus(QWidget* w) {
        w->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }

private slots:
    void init() {
        QFile::remove(Ordner.Daten + QStringLiteral("/Orvat/Velorin/") +
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                      QStringLiteral(".ini"));
    }
    void cleanup() { Fenster.reset(); }

    void layoutNachEntwurf() {
        TfrmNavolet& w = Zeigen();
        QCOMPARE(w.objectName(), QStringLiteral("frmNavolet"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Velorin Version 1.1.8"));
        QCOMPARE(w.size(), QSize(749, 607));
        QCOMPARE(w.minimumHeight(), 580);
        QCOMPARE(w.minimumWidth(), 130);

        auto* eingabe = w.findChild<TPanel*>(QStringLiteral("suiPnlEingabe"));
        auto* graphik = w.findChild<TPanel*>(QStringLiteral("suiPnlGraphik"));
        auto* buttons = w.findChild<TPanel*>(QStringLiteral("suiPnlButtons"));
        QVERIFY(eingabe && graphik && buttons);
        QCOMPARE(eingabe->CaptionLabel()->text(), QStringLiteral("Ein- und Ausgabebereich"));
        QCOMPARE(graphik->CaptionLabel()->text(), QStringLiteral("Grafische Darstellung"));
        QCOMPARE(w.menuBar()->height(), 23);
        QCOMPARE(w.statusBar()->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(w.statusBar()->height(), 19);
        QCOMPARE(eingabe->geometry(), QRect(0, 0, 377, 499));
        QCOMPARE(graphik->geometry(), QRect(377, 0, 372, 499));
        QCOMPARE(buttons->geometry(), QRect(0, 499, 749, 66));

        struct {
            const char* Name;
            QRect Platz;
        } const controls[] = {
            {"mmoVeR", {211, 55, 60, 21}},     {"mmoVeG", {273, 55, 46, 21}},
            {"cbVeG", {320, 55, 50, 21}},      {"mmoVgG", {273, 99, 46, 21}},
            {"mmoLuv", {211, 143, 60, 21}},    {"mmoSW", {273, 197, 46, 21}},
            {"cbSW", {320, 197, 51, 21}},      {"cbGW", {320, 219, 51, 21}},
            {"mmoKSKU", {211, 371, 60, 21}},   {"btnZurueckSetzen", {274, 433, 96, 27}},
            {"btnBeenden", {661, 32, 80, 27}},
        };
        for (const auto& c : controls) {
            auto* control = w.findChild<QWidget*>(QString::fromLatin1(c.Name));
            QVERIFY2(control, c.Name);
            QCOMPARE(control->geometry(), c.Platz);
        }
        QCOMPARE(w.findChild<QPushButton*>("btnZurueckSetzen")->text(),
                 QStringLiteral("&zuruecksetzen"));
        QCOMPARE(w.findChild<QPushButton*>("btnBeenden")->text(), QStringLiteral("&beenden"));
        QCOMPARE(w.findChild<QLabel*>("lblVeR")->text(),
                 QStringLiteral("Eigengeschwindigkeit (rwSK, Ve):"));
        QVERIFY(w.findChild<QLabel*>("lblMwSK")->font().bold());
        // The longest row label fits in front of its field.
        auto* lang = w.findChild<QLabel*>("lblMwSK");
        QVERIFY(lang->fontMetrics().horizontalAdvance(lang->text()) <= lang->width());
        for (int f = 0; f < FeldAnzahl; ++f) {
            QLineEdit* feld = Feld(static_cast<TFeldNamen>(f));
            QCOMPARE(feld->property("tag").toInt(), f);
            QVERIFY(feld->alignment() & Qt::AlignRight);
        }

        // Anchors: reset button and exit button follow the bottom right corner; the drawing area
        // keeps its minimum.
        w.resize(1000, 800);
        QTRY_COMPARE(w.findChild<QWidget*>("btnBeenden")->geometry(), QRect(912, 32, 80, 27));
        QCOMPARE(w.findChild<QWidget*>("btnZurueckSetzen")->geometry(), QRect(274, 626, 96, 27));
        QCOMPARE(w.findChild<QWidget*>("mmoVeR")->geometry(), QRect(211, 55, 60, 21));
        w.resize(400, 580);
        QTRY_VERIFY(w.findChild<QWidget*>("Image")->width() >= 200);
    }

    void zustandNachDemStart() {
        // Colours come from the settings file.
        TIniFile ini((Ordner.Daten + QStringLiteral("/Orvat/Velorin/") +
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                      QStringLiteral(".ini"))
                         .toStdString());
        ini.WriteInteger("StatusColors", "CI_EingMoeglich", 0x3060A0);
        TfrmNavolet& w = Zeigen();
        QCOMPARE(w.Darstellung().StatusColors[CI_EingMoeglich], TColor(0x3060A0));
        for (int f = 0; f < FeldAnzahl; ++f) {
            QLineEdit* feld = Feld(static_cast<TFeldNamen>(f));
            QVERIFY2(feld->text().isEmpty(), qPrintable(feld->objectName()));
            QVERIFY(feld->isEnabled());
            QVERIFY(feld->focusPolicy() & Qt::TabFocus);
            QCOMPARE(feld->palette().color(QPalette::Base), Farbe(0x3060A0));
            QCOMPARE(Status(static_cast<TFeldNamen>(f)), CI_EingMoeglich);
        }
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(w.EinheitListe(i)->count(), 4);
            QCOMPARE(w.EinheitListe(i)->currentText(), QStringLiteral("kt"));
        }
        QVERIFY(w.Bild().isNull());
        // The reset button leads the tab order; mmoVeR is the next tab stop.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnZurueckSetzen"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Feld(VeR));
    }

    void tabUndEnterUeberBerechneteFelder() {
        Zeigen();
        Fokus(Feld(VeR));
        Eingeben(QStringLiteral("90"), Qt::Key_Tab);
        QCOMPARE(Feld(VeR)->text(), QStringLiteral("090,00"));
        QCOMPARE(Status(VeR), CI_Eingegeben);
        QCOMPARE(QApplication::focusWidget(), Feld(VeG));
        Eingeben(QStringLiteral("100"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Feld(VwR));
        Eingeben(QStringLiteral("45"), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), Feld(VwG));
        // Tab aims at VgR; the recompute makes it computed, so the focus passes on to the next
        // field that is still a tab stop.
        Eingeben(QStringLiteral("20"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Feld(MW));
        for (TFeldNamen f : {VgR, VgG, Abt, Luv, SW, GW}) {
            QCOMPARE(Status(f), CI_Ergebnis);
            QVERIFY(Feld(f)->isEnabled());
            QCOMPARE(Feld(f)->focusPolicy(), Qt::ClickFocus);
            QCOMPARE(Feld(f)->palette().color(QPalette::Base),
                     Farbe(DefaultStatusColors[CI_Ergebnis]));
        }
        QCOMPARE(Feld(VgG)->text(), QStringLiteral("87,01"));
        QCOMPARE(Feld(Luv)->text(), QStringLiteral("-009,35"));
        QCOMPARE(Feld(VeR)->palette().color(QPalette::Base),
                 Farbe(DefaultStatusColors[CI_Eingegeben]));
        QVERIFY(!Fenster->Bild().isNull());
        QCOMPARE(Fenster->Bild().size(), Fenster->findChild<QWidget*>("Image")->size());

        // Shift+Enter goes back to the previous tab stop, over the computed fields.
        QTest::keyClick(Feld(MW), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), Feld(VwG));
        // Enter never reaches the field.
        QCOMPARE(Feld(VwG)->text(), QStringLiteral("20,00"));
    }

    void enterUeberGesperrteFelder() {
        Zeigen();
        Fokus(Feld(VeG));
        Eingeben(QStringLiteral("100"), Qt::Key_Return);
        Eingeben(QStringLiteral("45"), Qt::Key_Return);
        for (TFeldNamen f : {VgG, SW, GW, DevU, KSKU}) {
            QCOMPARE(Status(f), CI_Undef);
            QVERIFY(!Feld(f)->isEnabled());
            QCOMPARE(Feld(f)->palette().color(QPalette::Base),
                     Farbe(DefaultStatusColors[CI_Undef]));
        }
        QCOMPARE(QApplication::focusWidget(), Feld(VwG));
        Fokus(Feld(VgR));
        QTest::keyClick(Feld(VgR), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), Feld(Abt));
        Fokus(Feld(Luv));
        QTest::keyClick(Feld(Luv), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), Feld(MW));
        QTest::keyClick(Feld(MW), Qt::Key_Enter, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), Feld(Luv));
        // Clicking into a field that the recompute disables passes the focus on.
        Fokus(Feld(VeR));
        QTest::keyClicks(Feld(VeR), QStringLiteral("90"));
        QTest::mouseClick(Feld(VgR), Qt::LeftButton);
        QCOMPARE(Status(VgR), CI_Undef);
        QCOMPARE(QApplication::focusWidget(), Feld(MW));
    }

    void tippfilter() {
        Zeigen();
        Fokus(Feld(VeR));
        QTest::keyClicks(Feld(VeR), QStringLiteral("a1.2,3,4"));
        QCOMPARE(Feld(VeR)->text(), QStringLiteral("12,34"));
        QCOMPARE(Feld(VeR)->cursorPosition(), 5);
        Feld(VeR)->setCursorPosition(0);
        QTest::keyClicks(Feld(VeR), QStringLiteral("-"));
        QCOMPARE(Feld(VeR)->text(), QStringLiteral("-12,34"));
        Feld(VeR)->setCursorPosition(3);
        QTest::keyClicks(Feld(VeR), QStringLiteral("x-"));
        QCOMPARE(Feld(VeR)->text(), QStringLiteral("-12,34"));
        QCOMPARE(Feld(VeR)->cursorPosition(), 3);
        // Nothing is read before the field is left.
        QCOMPARE(Status(VeR), CI_EingMoeglich);
    }

    void fehlerboxBeiMinus() {
        Zeigen();
        Fokus(Feld(VeG));
        Eingeben(QStringLiteral("100"), Qt::Key_Tab);
        const TEingabeStatus vorher = Fenster->Rechner().EingabeStatus();
        const TWerte werteVorher = Fenster->Rechner().Werte();
        Fokus(Feld(VeR));
        test::TBoxBeantworter antwort;
        Eingeben(QStringLiteral("-"), Qt::Key_Tab);
        QTRY_COMPARE(antwort.Texte.size(), 1);
        QCOMPARE(antwort.Texte.front(), QStringLiteral("'-' ist kein gültiger Gleitkommawert."));
        QCOMPARE(antwort.Titel.front(), QStringLiteral("Velorin"));
        // The field has the focus again, its text selected; nothing else changed.
        QTRY_COMPARE(QApplication::focusWidget(), Feld(VeR));
        QCOMPARE(Feld(VeR)->selectedText(), QStringLiteral("-"));
        QCOMPARE(Fenster->Rechner().EingabeStatus(), vorher);
        QCOMPARE(Fenster->Rechner().Werte(), werteVorher);
        QCOMPARE(Feld(VeG)->text(), QStringLiteral("100,00"));
        QCOMPARE(Feld(VwR)->text(), QString());
        QCOMPARE(antwort.Texte.size(), 1);
        // Corrected, the field is read as usual.
        Eingeben(QStringLiteral("270"), Qt::Key_Tab);
        QCOMPARE(Status(VeR), CI_Eingegeben);
        QCOMPARE(Feld(VeR)->text(), QStringLiteral("270,00"));
    }

    void einheitenwechselOhneNeuberechnung() {
        TfrmNavolet& w = Zeigen();
        QComboBox* cbVeG = w.EinheitListe(0);
        Fokus(cbVeG);
        QTest::keyClick(cbVeG, Qt::Key_Down); // km/h, picked by the user
        QCOMPARE(cbVeG->currentText(), QStringLiteral("km/h"));
        Fokus(Feld(VeG));
        Eingeben(QStringLiteral("100"), Qt::Key_Tab);
        QCOMPARE(Status(VeG), CI_Eingegeben);
        QCOMPARE(Fenster->Rechner().Werte()[VeG], 100.0f * 0.539957f);
        const TEingabeStatus status = Fenster->Rechner().EingabeStatus();
        const struct {
            int Index;
            const char* Text;
        } faelle[] = {{0, "54,00"}, {2, "62,14"}, {3, "27,78"}, {1, "100,00"}};
        for (const auto& fall : faelle) {
            cbVeG->setCurrentIndex(fall.Index);
            emit cbVeG->activated(fall.Index);
            QCOMPARE(Feld(VeG)->text(), QString::fromLatin1(fall.Text));
            QCOMPARE(Fenster->Rechner().EingabeStatus(), status);
        }
        // An empty speed field stays empty.
        w.EinheitListe(1)->setCurrentIndex(3);
        emit w.EinheitListe(1)->activated(3);
        QCOMPARE(Feld(VwG)->text(), QString());
        // The next entry is read in the unit now chosen.
        Fokus(Feld(VwG));
        Eingeben(QStringLiteral("10"), Qt::Key_Tab);
        QCOMPARE(Fenster->Rechner().Werte()[VwG], 10.0f * 1.943861f);
    }

    void zuruecksetzenUndBerechnetesFeldVerlassen() {
        TfrmNavolet& w = Zeigen();
        Fokus(Feld(VeR));
        for (const char* text : {"90", "100", "45", "20"})
            Eingeben(QString::fromLatin1(text), Qt::Key_Return);
        QVERIFY(!w.Bild().isNull());

        // Clicked from another field, a computed field passes the focus on at once.
        QTest::mouseClick(Feld(Abt), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Feld(MW));
        QCOMPARE(Status(Abt), CI_Ergebnis);
        // Reached from a unit list it keeps it; leaving it then makes it the only entry and
        // clears the drawing.
        Fokus(w.EinheitListe(0));
        QTest::mouseClick(Feld(Abt), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Feld(Abt));
        QTest::mouseClick(Feld(MW), Qt::LeftButton);
        QCOMPARE(Status(Abt), CI_Eingegeben);
        QCOMPARE(Feld(Abt)->text(), QStringLiteral("009,35"));
        QCOMPARE(Feld(VeR)->text(), QString());
        QCOMPARE(Status(VeR), CI_EingMoeglich);
        QVERIFY(w.Bild().isNull());

        Fokus(Feld(VeR));
        for (const char* text : {"90", "100", "45", "20"})
            Eingeben(QString::fromLatin1(text), Qt::Key_Return);
        QVERIFY(!w.Bild().isNull());
        QTest::mouseClick(w.findChild<QPushButton*>("btnZurueckSetzen"), Qt::LeftButton);
        for (int f = 0; f < FeldAnzahl; ++f) {
            QLineEdit* feld = Feld(static_cast<TFeldNamen>(f));
            QVERIFY(feld->text().isEmpty());
            QVERIFY(feld->isEnabled());
            QVERIFY(feld->focusPolicy() & Qt::TabFocus);
            QCOMPARE(feld->palette().color(QPalette::Base),
                     Farbe(DefaultStatusColors[CI_EingMoeglich]));
        }
        QVERIFY(w.Bild().isNull());
    }

    void zeichnungBleibtUndFolgtDerGroesse() {
        TfrmNavolet& w = Zeigen();
        Fokus(Feld(VeR));
        for (const char* text : {"90", "100", "45", "20"})
            Eingeben(QString::fromLatin1(text), Qt::Key_Return);
        // An entry removed: the triangle is no longer drawable, the picture stays.
        Fokus(Feld(VwG));
        Feld(VwG)->clear();
        QTest::keyClick(Feld(VwG), Qt::Key_Tab);
        QVERIFY(!IstZeichenbar(Fenster->Rechner().EingabeStatus()));
        QVERIFY(!w.Bild().isNull());
        w.resize(900, 700);
        auto* image = w.findChild<QWidget*>("Image");
        QTRY_COMPARE(w.Bild().size(), image->size());
    }

    void hinweisInDerStatusleiste() {
        TfrmNavolet& w = Zeigen();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(Feld(VeR), &enter);
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("bitte Richtung der Eigengeschwindigkeit eingeben"));
        QCoreApplication::sendEvent(Feld(VgR), &enter);
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("bitte Richtung der Grundgeschwindigkeit eingeben"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(Feld(VgR), &leave);
        QCOMPARE(w.statusBar()->currentMessage(), QString());
        QCoreApplication::sendEvent(w.EinheitListe(3), &enter);
        QCOMPARE(w.statusBar()->currentMessage(), QString());
    }

    void farbenBeimSchliessenGeschrieben() {
        TIniFile vorher((Ordner.Daten + QStringLiteral("/Orvat/Velorin/") +
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                         QStringLiteral(".ini"))
                            .toStdString());
        vorher.WriteInteger("StatusColors", "CI_Ergebnis", 0x112233);
        vorher.WriteInteger("StatusColors", "LinienbreiteVektoren", 25);
        TfrmNavolet& w = Zeigen();
        QCOMPARE(w.Darstellung().LinienBreiteVektoren, 25);
        Fokus(Feld(VeR));
        QTest::keyClicks(Feld(VeR), QStringLiteral("12"));
        const std::string pfad = w.IniPfad();
        QVERIFY(w.close());
        // Closing leaves the field, but nothing is computed any more.
        QCOMPARE(Status(VeR), CI_EingMoeglich);
        const TIniText ini = TIniText::Laden(pfad);
        QCOMPARE(ini.ReadInteger("StatusColors", "CI_Ergebnis", 0), 0x112233);
        QCOMPARE(ini.ReadInteger("StatusColors", "CI_undef", 0), 0xFF0000);
        QCOMPARE(ini.ReadInteger("StatusColors", "LinienbreiteVektoren", 0), 25);
        QCOMPARE(ini.ReadInteger("StatusColors", "LinienbreiteNord", 0), 1);
        Fenster.reset();
        // The placement is written when the window goes.
        QVERIFY(TIniText::Laden(pfad).SectionExists("frmNavolet"));
    }

    void startMaximiert() {
        TIniFile ini((Ordner.Daten + QStringLiteral("/Orvat/Velorin/") +
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                      QStringLiteral(".ini"))
                         .toStdString());
        ini.WriteInteger("frmNavolet", "WindowState", 1);
        TfrmNavolet& w = Zeigen();
        QTRY_VERIFY(w.isMaximized());
    }

    void datenordnerNichtAnlegbar() {
        // A file stands where the data folders should be.
        QTemporaryDir ort;
        const QString datei = ort.filePath(QStringLiteral("datei"));
        QFile f(datei);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        qputenv("XDG_DATA_HOME", datei.toLocal8Bit());
        {
            test::TBoxBeantworter antwort;
            {
                TfrmNavolet w(Ordner.Programm);
                QVERIFY(w.BeendenAngefordert());
            }
            QVERIFY(antwort.Texte.contains(QStringLiteral("Verzeichnis ") + datei +
                                           QStringLiteral("/Orvat/Velorin/ konnte nicht angelegt "
                                                          "werden")));
        }
        qputenv("XDG_DATA_HOME", Ordner.Daten.toLocal8Bit());
    }

    void menueBaum() {
        TfrmNavolet& w = Zeigen();
        struct {
            const char* Name;
            const char* Titel;
            int Tag;
        } const eintraege[] = {
            {"beenden1", "Programm beenden", 0},
            {"MacOS2", "MacOS", 0},
            {"WinXP2", "WinXP", 1},
            {"DeepBlue2", "DeepBlue", 2},
            {"Protein2", "Protein", 3},
            {"BlueGrass2", "BlueGrass", 4},
            {"Default2", "Default", 5},
            {"FaL", "Farben und Linien", 0},
            {"Hilfeanzeigen1", "Hilfe anzeigen", 0},
            {"Info1", "Info", 0},
        };
        for (const auto& e : eintraege) {
            auto* a = w.findChild<QAction*>(QLatin1String(e.Name));
            QVERIFY2(a, e.Name);
            QCOMPARE(a->text(), QString::fromUtf8(e.Titel));
            QCOMPARE(a->property("tag").toInt(), e.Tag);
            QVERIFY(!a->isCheckable());
            QVERIFY(a->shortcut().isEmpty());
        }
        QStringList oben;
        for (QAction* a : w.menuBar()->actions())
            oben << a->text();
        QCOMPARE(oben, (QStringList{"Datei", "Ansicht", "Hilfe"}));
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("Design1")));
    }

    void designBefehle() {
        TfrmNavolet& w = Zeigen();
        const std::string start = w.SteuerVar().Theme.ThemeFile;
        QVERIFY(start.size() > std::string("MP10.ssk").size()); // full path at start
        // The panels carry the start design's colour from the first moment.
        QCOMPARE(w.findChild<TPanel*>("suiPnlEingabe")->palette().color(QPalette::Window),
                 SkinFarbe());
        const struct {
            const char* Eintrag;
            TUIStyle Stil;
        } folge[] = {{"MacOS2", TUIStyle::MacOS},         {"WinXP2", TUIStyle::WinXP},
                     {"DeepBlue2", TUIStyle::DeepBlue},   {"Protein2", TUIStyle::Protein},
                     {"BlueGrass2", TUIStyle::BlueGlass}, {"Default2", TUIStyle::FromThemeFile}};
        for (const auto& f : folge) {
            w.findChild<QAction*>(QLatin1String(f.Eintrag))->trigger();
            QCOMPARE(w.SteuerVar().Theme.UIStyle, f.Stil);
            QCOMPARE(w.SteuerVar().Theme.ThemeFile,
                     f.Stil == TUIStyle::FromThemeFile ? std::string("MP10.ssk") : start);
            QVERIFY(w.isVisible());
            // Panels and unit lists take the new skin colour.
            const QColor skin = SkinFarbe();
            QCOMPARE(w.findChild<TPanel*>("suiPnlEingabe")->palette().color(QPalette::Window),
                     skin);
            QCOMPARE(w.EinheitListe(3)->palette().color(QPalette::Button), skin);
            // The fields keep the colours of their statuses.
            QCOMPARE(Feld(VeR)->palette().color(QPalette::Base),
                     Farbe(w.Darstellung().StatusColors[Status(VeR)]));
            const QImage bild = Feld(VeR)->grab().toImage();
            QCOMPARE(bild.pixelColor(bild.width() / 2, bild.height() / 2),
                     Farbe(w.Darstellung().StatusColors[Status(VeR)]));
        }
    }

    void farbenUndLinienUeberDasMenue() {
        TfrmNavolet& w = Zeigen();
        const TDarstellung vorher = w.Darstellung();
        bool beantwortet = false;
        ImDialog(QStringLiteral("frmFuL"), [&](QWidget* dialog) {
            dialog->findChild<QSpinBox*>(QStringLiteral("edtBreite"))->setValue(4);
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
            beantwortet = true;
        });
        w.findChild<QAction*>(QStringLiteral("FaL"))->trigger();
        QVERIFY(beantwortet);
        QCOMPARE(w.Darstellung().LinienBreiteVektoren, 4);
        QCOMPARE(w.Darstellung().StatusColors, vorher.StatusColors);
    }

    void hilfeUndInfo() {
        TfrmNavolet& w = Zeigen();
        w.findChild<QAction*>(QStringLiteral("Hilfeanzeigen1"))->trigger();
        QVERIFY(THilfeFenster::Offenes() != nullptr);
        delete THilfeFenster::Offenes();

        bool geoeffnet = false;
        ImDialog(QStringLiteral("frmInfo"), [&](QWidget* dialog) {
            geoeffnet = true;
            dialog->findChild<QPushButton*>(QStringLiteral("btnZurueck"))->click();
        });
        w.findChild<QAction*>(QStringLiteral("Info1"))->trigger();
        QVERIFY(geoeffnet);
    }

    void infoOhneModulMeldetSich() {
        QTemporaryDir ordner;
        // A module that is no module, and then none at all.
        QFile falsch(ordner.filePath(QLatin1String(InfoModulDatei)));
        QVERIFY(falsch.open(QIODevice::WriteOnly) && falsch.write("kein Modul") > 0);
        falsch.close();
        for (int runde = 0; runde < 2; ++runde) {
            test::TBoxBeantworter antwort;
            TfrmNavolet w(ordner.path());
            antwort.Texte.clear(); // the start's own message about the missing help file
            w.findChild<QAction*>(QStringLiteral("Info1"))->trigger();
            QCOMPARE(antwort.Texte.size(), 1);
            QVERIFY2(antwort.Texte.front().startsWith(
                         QStringLiteral("Die Programminformation kann nicht angezeigt werden.")),
                     qPrintable(antwort.Texte.front()));
            QFile::remove(falsch.fileName());
        }
    }

    void hilfeOhneDateiMeldetSich() {
        QTemporaryDir leer;
        test::TBoxBeantworter antwort;
        TfrmNavolet w(leer.path());
        w.findChild<QAction*>(QStringLiteral("Hilfeanzeigen1"))->trigger();
        QCOMPARE(antwort.Texte.size(), 2); // at start and on the request
        QVERIFY(THilfeFenster::Offenes() == nullptr);
    }

    void beendenUeberMenueUndKnopf() {
        for (const char* weg : {"menu", "button"}) {
            TfrmNavolet& w = Zeigen();
            const std::string pfad = w.IniPfad();
            QFile::remove(QString::fromStdString(pfad));
            if (weg[0] == 'm')
                w.findChild<QAction*>(QStringLiteral("beenden1"))->trigger();
            else
                w.findChild<QPushButton*>(QStringLiteral("btnBeenden"))->click();
            QVERIFY(!w.isVisible());
            QVERIFY(TIniText::Laden(pfad).SectionExists("StatusColors"));
        }
    }

    void hilfeDateiFehlt() {
        QTemporaryDir leer;
        test::TBoxBeantworter antwort;
        TfrmNavolet w(leer.path());
        QCOMPARE(antwort.Texte.size(), 1);
        QCOMPARE(antwort.Texte.front(), QStringLiteral("Hilfe-Datei nicht gefunden\n") +
                                            leer.path() + QStringLiteral("/NV.chm"));
        QCOMPARE(w.HilfeDatei(), leer.path() + QStringLiteral("/NV.chm"));
    }
};

int main(int argc, char* argv[]) {
    QTemporaryDir basis;
    Ordner.Basis = basis.path();
    Ordner.Daten = basis.filePath(QStringLiteral("daten"));
    Ordner.Laufzeit = basis.filePath(QStringLiteral("laufzeit"));
    Ordner.Gemeinsam = basis.filePath(QStringLiteral("gemeinsam"));
    Ordner.Programm = basis.filePath(QStringLiteral("programm"));
    for (const QString& o : {Ordner.Daten, Ordner.Laufzeit, Ordner.Gemeinsam, Ordner.Programm})
        QDir().mkpath(o);
    QFile(Ordner.Laufzeit)
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The data files of the build's program folder: help file, theme, info document.
    for (const char* datei : {"/NV.chm", "/MP10.ssk", "/Info.html"})
        QFile::copy(QStringLiteral(VELORIN_PROGRAMMORDNER) + QLatin1String(datei),
                    Ordner.Programm + QLatin1String(datei));
    QFile::copy(QStringLiteral(VELORIN_INFO_MODUL),
                Ordner.Programm + QStringLiteral("/") + QLatin1String(InfoModulDatei));
    qputenv("XDG_DATA_HOME", Ordner.Daten.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", Ordner.Laufzeit.toLocal8Bit());
    qputenv("VELORIN_COMMON_APPDATA", Ordner.Gemeinsam.toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    TFensterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "fenster_test.moc"

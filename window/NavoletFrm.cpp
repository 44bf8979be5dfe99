#include "NavoletFrm.h"

#include "Bedienelemente.h"
#include "Design.h"
#include "Einheiten.h"
#include "Feldanzeige.h"
#include "FuLFrm.h"
#include "HilfeFenster.h"
#include "InfoModul.h"
#include "SteuerVar.h"
#include "Textform.h"
#include "graphics/DreieckZeichnen.h"
#include "graphics/IniDatei.h"
#include "shell/ShellDienste.h"
#include "shell/Versionsblock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>

#include <exception>

namespace velorin {

namespace {

// Design of the window, pixels at 96 dots per inch.
constexpr int DesignBreite = 749;
constexpr int DesignHoehe = 607;
constexpr int MinimaleBreite = 130;
constexpr int MinimaleHoehe = 580;
constexpr int MenueHoehe = 23;
constexpr int StatusHoehe = 19;
constexpr int EingabeBreite = 377;
constexpr int ButtonPanelHoehe = 66;
// Design size of the input panel, for the reset button anchored to its bottom right corner.
constexpr int EingabeDesignHoehe = DesignHoehe - MenueHoehe - ButtonPanelHoehe - StatusHoehe;
constexpr QRect ZuruecksetzenDesign(274, 433, 96, 27);
constexpr QRect BeendenDesign(661, 32, 80, 27);
constexpr int BildRand = 4;

constexpr int ZeilenHoehe = 21;
constexpr int RichtungX = 211;
constexpr int RichtungBreite = 60;
constexpr int BetragX = 273;
constexpr int BetragBreite = 46;
constexpr int EinheitX = 320;
constexpr int LabelX = 8;

const char* const HintProperty = "Hint";
const char* const TagProperty = "tag";

struct TFeldPlatz {
    TFeldNamen Feld;
    int Y;
    const char* Label; // row label, for the first field of a row
    const char* Hint;
};

// Field order is the tab order.
constexpr TFeldPlatz FeldPlaetze[FeldAnzahl] = {
    {VeR, 55,
     "Eigengeschwindigkeit (rwSK, Ve):", "|bitte Richtung der Eigengeschwindigkeit eingeben"},
    {VeG, 55, nullptr, "|bitte Betrag der Eigengeschwindigkeit eingeben"},
    {VwR, 77, "Wind (W/V):", "|bitte Richtung der Windgeschwindigkeit (Windstärke) eingeben"},
    {VwG, 77, nullptr, "|bitte Betrag der Windgeschwindigkeit eingeben"},
    {VgR, 99,
     "Grundgeschwindigkeit (rwK, Vg):", "bitte Richtung der Grundgeschwindigkeit eingeben"},
    {VgG, 99, nullptr, "|bitte Betrag der Grundgeschwindigkeit eingeben"},
    {Abt, 121, "Abtrift (a):", "|bitte Abtrift eingeben"},
    {Luv, 143, "Luvwinkel (l):", "|bitte Luvwinkel eingeben"},
    {SW, 197, "Seitenwindkomponente:", "|bitte Betrag der Seitenwindkomponente eingeben"},
    {GW, 219, "Gegenwindkomponente:", "|bitte Betrag der Gegenwindkomponente eingeben"},
    {MW, 261, "Missweisung (Var):", "|bitte Missweisung (Variation) eingeben"},
    {Dev, 283, "Fehlweisung (Dev):", "|bitte Fehlweisung (Deviation) eingeben"},
    {MwSK, 305, "missweisender Steuerkurs (mwSK):", "|bitte missweisenden Steuerkurs eingeben"},
    {KSK, 327, "Kompasssteuerkurs (KSK):", "|bitte Kompasssteuerkurs eingeben"},
    {DevU, 349,
     "Fehlweisung Umkehrkurs:", "|bitte Fehlweisung (Deviation) für Umkehrkurs eingeben"},
    {KSKU, 371, "Umkehrkurs (KSK Umkehr):", "|bitte Kompasssteuerkurs eingeben"},
};

const char* const ListenHints[5] = {
    "|bitte Einheit für Eigengeschwindigkeit auswählen - angezeigter Wert wird ggf. umgerechnet",
    "|bitte Einheit für Windgeschwindigkeit auswählen - angezeigter Wert wird ggf. umgerechnet",
    "|bitte Einheit für Grundgeschwindigkeit auswählen - angezeigter Wert wird ggf. umgerechnet",
    nullptr,
    nullptr,
};

// Texts of the program's own; the addresses are the maker's contact data.
const char* const SupportEmailAdresse = "support@orvat.example";
const char* const SupportName = "Orvat Lernsysteme, Kundendienst";
const char* const URLHomePage = "https://www.orvat.example/";
const char* const URLVersionHistory = "https://www.orvat.example/velorin/versionen.html";
const char* const ThemeDateiName = "MP10.ssk";

// The help runtime is the CHM reader library; the help window links it, so a build without it
// does not exist.
bool HilfeLaufzeitVorhanden() {
    return true;
}

QColor Farbe(TColor c) {
    return QColor(Rot(c), Gruen(c), Blau(c));
}

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The long part of a hint: the text after the first "|", or the whole hint.
QString LangerHinweis(const QString& hint) {
    const qsizetype strich = hint.indexOf(QLatin1Char('|'));
    return strich < 0 ? hint : hint.mid(strich + 1);
}

// Sets a flag while the guard lives, also when an error passes.
class TFlag {
public:
    explicit TFlag(bool& flag) : FFlag(flag), FVorher(flag) { FFlag = true; }
    ~TFlag() { FFlag = FVorher; }
    TFlag(const TFlag&) = delete;
    TFlag& operator=(const TFlag&) = delete;

private:
    bool& FFlag;
    bool FVorher;
};

} // namespace

TfrmNavolet::TfrmNavolet(const QString& anwendungsVerzeichnis)
    : TfrmBase(QStringLiteral("frmNavolet"), QRect(0, 0, DesignBreite, DesignHoehe)),
      FAnwendungsVerzeichnis(anwendungsVerzeichnis) {
    // Until the settings are read every colour is 0.
    FDarstellung.StatusColors.fill(0);
    if (FAnwendungsVerzeichnis.isEmpty())
        FAnwendungsVerzeichnis = QCoreApplication::applicationDirPath();
    if (!FAnwendungsVerzeichnis.endsWith(QLatin1Char('/')))
        FAnwendungsVerzeichnis += QLatin1Char('/');
    // The design comes before the widgets: each is then polished once, in its final look.
    TTheme design;
    design.ThemeFile = FAnwendungsVerzeichnis.toStdString() + ThemeDateiName;
    design.UIStyle = TUIStyle::FromThemeFile;
    // The skin is applied in normal state; a restored maximised state comes back afterwards.
    const Qt::WindowStates zustand = windowState();
    if (zustand != Qt::WindowNoState) setWindowState(Qt::WindowNoState);
    DesignAnwenden(design, FAnwendungsVerzeichnis);
    if (windowState() != zustand) setWindowState(zustand);
    Aufbauen();
    FormCreate();
}

TfrmNavolet::~TfrmNavolet() {
    // The fields may still lose the focus while the window is torn down; nothing is computed then.
    FGeschlossen = true;
    // The children outlive this part of the window: nothing of theirs may call back into it.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
    Image->OnResize = nullptr;
    suiPnlEingabe->OnResize = nullptr;
    suiPnlGraphik->OnResize = nullptr;
    suiPnlButtons->OnResize = nullptr;
}

const QImage& TfrmNavolet::Bild() const {
    return Image->Bild();
}

void TfrmNavolet::Aufbauen() {
    QFont schrift;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        schrift.setFamily(QStringLiteral("Tahoma"));
    } else {
        // The layout is made for Tahoma; the wider replacement is narrowed to its width.
        schrift.setFamily(QStringLiteral("DejaVu Sans"));
        schrift.setStretch(85);
    }
    schrift.setPointSize(8);
    // For the whole program: a design change re-polishes every widget from the application's
    // font, and the dialogs share the window's look.
    QApplication::setFont(schrift);
    setFont(schrift);
    QFont fett = schrift;
    fett.setBold(true);

    suiMainMenu1 = new QMenuBar(this);
    suiMainMenu1->setObjectName(QStringLiteral("suiMainMenu1"));
    suiMainMenu1->setMinimumHeight(MenueHoehe);
    setMenuBar(suiMainMenu1);
    MenueAufbauen();

    suiFrmNavolet = new QWidget(this);
    suiFrmNavolet->setObjectName(QStringLiteral("suiFrmNavolet"));
    setCentralWidget(suiFrmNavolet);

    suiPnlEingabe = new TPanel(QStringLiteral("suiPnlEingabe"),
                               QStringLiteral("Ein- und Ausgabebereich"), suiFrmNavolet);
    suiPnlGraphik = new TPanel(QStringLiteral("suiPnlGraphik"),
                               QStringLiteral("Grafische Darstellung"), suiFrmNavolet);
    suiPnlButtons = new TPanel(QStringLiteral("suiPnlButtons"), QString(), suiFrmNavolet);

    // Created first: the reset button leads the tab order.
    btnZurueckSetzen = new QPushButton(QStringLiteral("&zuruecksetzen"), suiPnlEingabe);
    btnZurueckSetzen->setObjectName(QStringLiteral("btnZurueckSetzen"));
    btnZurueckSetzen->setAutoDefault(false);
    btnZurueckSetzen->setProperty(HintProperty, QStringLiteral("Eingaben werden zurückgesetzt"));
    connect(btnZurueckSetzen, &QPushButton::clicked, this, [this] { btnZurueckSetzenClick(); });

    auto* richtung = new QLabel(QStringLiteral("Richtung (°):"), suiPnlEingabe);
    richtung->setObjectName(QStringLiteral("lblRichtung"));
    richtung->move(RichtungX, 27);
    auto* betrag = new QLabel(QStringLiteral("Betrag:"), suiPnlEingabe);
    betrag->setObjectName(QStringLiteral("lblBetrag"));
    betrag->move(BetragX + 1, 27);

    for (const TFeldPlatz& platz : FeldPlaetze) {
        const TFeldNamen f = platz.Feld;
        const bool betragSpalte = FeldArt(f) == TFeldArt::Geschwindigkeit;
        auto* feld = new QLineEdit(suiPnlEingabe);
        feld->setObjectName(QStringLiteral("mmo") + Text(FeldName(f)));
        feld->setProperty(TagProperty, static_cast<int>(f));
        feld->setProperty(HintProperty, QString::fromUtf8(platz.Hint));
        feld->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        feld->setGeometry(betragSpalte ? BetragX : RichtungX, platz.Y,
                          betragSpalte ? BetragBreite : RichtungBreite, ZeilenHoehe);
        connect(feld, &QLineEdit::textChanged, this,
                [this, feld](const QString& text) { mmoChange(feld, text); });
        FFelder[f] = feld;
        if (platz.Label) {
            auto* label = new QLabel(QString::fromUtf8(platz.Label), suiPnlEingabe);
            label->setObjectName(QStringLiteral("lbl") + Text(FeldName(f)));
            label->setFont(fett);
            const int rechts = (betragSpalte ? BetragX : RichtungX) - 2;
            label->setGeometry(LabelX, platz.Y, rechts - LabelX, ZeilenHoehe);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    for (int i = 0; i < static_cast<int>(EinheitFelder.size()); ++i) {
        const TFeldNamen f = EinheitFelder[static_cast<std::size_t>(i)];
        auto* liste = new QComboBox(suiPnlEingabe);
        liste->setObjectName(QStringLiteral("cb") + Text(FeldName(f)));
        liste->setProperty(TagProperty, i);
        if (ListenHints[i]) liste->setProperty(HintProperty, QString::fromUtf8(ListenHints[i]));
        const QRect feld = FFelder[f]->geometry();
        liste->setGeometry(EinheitX, feld.y(), (f == SW || f == GW) ? 51 : 50, ZeilenHoehe);
        connect(liste, qOverload<int>(&QComboBox::activated), this,
                [this, liste](int index) { cbVGSelect(liste, index); });
        FListen[static_cast<std::size_t>(i)] = liste;
    }

    Image = new TBildflaeche(suiPnlGraphik);
    Image->OnResize = [this] { ImageResize(); };

    btnBeenden = new QPushButton(QStringLiteral("&beenden"), suiPnlButtons);
    btnBeenden->setObjectName(QStringLiteral("btnBeenden"));
    btnBeenden->setAutoDefault(false);
    btnBeenden->setFocusPolicy(Qt::ClickFocus);
    btnBeenden->setProperty(HintProperty, QStringLiteral("Velorin beenden"));
    btnBeenden->resize(BeendenDesign.size());
    connect(btnBeenden, &QPushButton::clicked, this, &TfrmNavolet::btnBeendenClick);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusHoehe);
    setStatusBar(StatusBar1);

    // Tab order: the reset button, the sixteen fields, the five unit lists.
    QWidget* vorher = btnZurueckSetzen;
    for (const TFeldPlatz& platz : FeldPlaetze) {
        setTabOrder(vorher, FFelder[platz.Feld]);
        vorher = FFelder[platz.Feld];
    }
    for (QComboBox* liste : FListen) {
        setTabOrder(vorher, liste);
        vorher = liste;
    }

    btnZurueckSetzen->resize(ZuruecksetzenDesign.size());
    suiPnlEingabe->OnResize = [this] {
        btnZurueckSetzen->move(suiPnlEingabe->width() - (EingabeBreite - ZuruecksetzenDesign.x()),
                               suiPnlEingabe->height() -
                                   (EingabeDesignHoehe - ZuruecksetzenDesign.y()));
    };
    suiPnlButtons->OnResize = [this] {
        btnBeenden->move(suiPnlButtons->width() - (DesignBreite - BeendenDesign.x()),
                         suiPnlButtons->height() - (ButtonPanelHoehe - BeendenDesign.y()));
    };
    suiPnlGraphik->OnResize = [this] {
        const int oben = suiPnlGraphik->CaptionHoehe() + BildRand;
        Image->setGeometry(BildRand, oben, suiPnlGraphik->width() - 2 * BildRand,
                           suiPnlGraphik->height() - oben - BildRand);
    };

    // Keys, leaving a field, hints and the frame's size all pass through eventFilter.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    Anordnen();
}

void TfrmNavolet::Anordnen() {
    const int b = suiFrmNavolet->width();
    const int h = suiFrmNavolet->height();
    const int mitte = std::max(0, h - ButtonPanelHoehe);
    suiPnlEingabe->setGeometry(0, 0, EingabeBreite, mitte);
    suiPnlGraphik->setGeometry(EingabeBreite, 0, std::max(0, b - EingabeBreite), mitte);
    suiPnlButtons->setGeometry(0, mitte, b, ButtonPanelHoehe);
}

void TfrmNavolet::FormCreate() {
    // The rules are registered and a first solver run marks every field enterable.
    FRechner = std::make_unique<TRechner>();

    for (QComboBox* liste : FListen) {
        const QSignalBlocker sperre(liste);
        liste->clear();
        QStringList eintraege;
        for (const std::string_view name : EinheitNamen)
            eintraege << Text(name);
        liste->addItems(eintraege);
        liste->setCurrentIndex(0);
    }

    NeuBerechnen();

    FSteuerVar = std::make_unique<velorin::TSteuerVar>();

    const QString firma = ValueOf(VersionInfo(), QStringLiteral("Company Name"));
    const QString produkt = ValueOf(VersionInfo(), QStringLiteral("Product Name"));
    const QString orvat =
        GetSpecialFolderPath(CSIDL_APPDATA) + QLatin1Char('/') + firma + QLatin1Char('/');
    const QString daten = orvat + produkt + QLatin1Char('/');
    const QString commonOrvat =
        GetSpecialFolderPath(CSIDL_COMMON_APPDATA) + QLatin1Char('/') + firma + QLatin1Char('/');
    const QString commonDaten = commonOrvat + produkt + QLatin1Char('/');
    TPfade& pfade = FSteuerVar->Pfade;
    pfade.AnwendungsVerzeichnis = FAnwendungsVerzeichnis.toStdString();
    pfade.GraphikVerzeichnis = pfade.AnwendungsVerzeichnis + "Graphiken/";
    pfade.OrvatLernprogramme = orvat.toStdString();
    pfade.AnwendungsDaten = daten.toStdString();
    pfade.CommonOrvatLernprogramme = commonOrvat.toStdString();
    pfade.CommonAnwendungsDaten = commonDaten.toStdString();
    pfade.Temp = pfade.AnwendungsDaten + "Temp/";

    FSteuerVar->Dateien.ScreenIni = pfade.AnwendungsDaten + "AVX.ini";
    FSteuerVar->Dateien.ErrorPicName = pfade.AnwendungsVerzeichnis + "ErrorPic.jpg";
    FIniPfad = pfade.AnwendungsDaten +
               QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString() +
               ".ini";

    for (const QString& ordner : {orvat, daten, commonOrvat, commonDaten}) {
        if (QDir().mkpath(ordner)) continue;
        Melden(QStringLiteral("Verzeichnis ") + ordner +
               QStringLiteral(" konnte nicht angelegt werden"));
        Beenden();
    }

    // The skin in force, given to the application before the widgets were made.
    FSteuerVar->Theme = AktuellesDesign();

    setMinimumHeight(MinimaleHoehe);
    setMinimumWidth(MinimaleBreite);

    FVersion.clear();
    TFileVersionNumbers nummern;
    if (ReadFileVersionNumbers(QCoreApplication::applicationFilePath().toStdString(), nummern))
        FVersion =
            QStringLiteral("%1.%2.%3").arg(nummern.Major).arg(nummern.Minor).arg(nummern.Release);
    setWindowTitle(QStringLiteral("Velorin ") + QStringLiteral("Version ") + FVersion);

    FSteuerVar->SupportEmailAdresse = SupportEmailAdresse;
    FSteuerVar->SupportName = SupportName;
    FSteuerVar->URLHomePage = URLHomePage;
    FSteuerVar->URLVersionHistory = URLVersionHistory;

    FHilfeDatei = FAnwendungsVerzeichnis + QLatin1String(HilfeDateiName);
    const QString hilfeMeldung = HilfeStartMeldung(FHilfeDatei);
    if (!hilfeMeldung.isEmpty()) Melden(hilfeMeldung);
    if (!HilfeLaufzeitVorhanden())
        Melden(QStringLiteral(
            "Diese Anwendung erfordert die Installation von MS HTML Help 1.2 oder höher"));

    DesignFarbenUebernehmen();

    FDarstellung = StatusLesen(FIniPfad);
    StatusFarbenSetzen();
}

void TfrmNavolet::Melden(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.exec();
}

void TfrmNavolet::Beenden() {
    FBeendenAngefordert = true;
}

bool TfrmNavolet::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        FormActivate();
        break;
    case QEvent::WindowDeactivate:
        FormDeactivate();
        break;
    default:
        break;
    }
    return TfrmBase::event(event);
}

void TfrmNavolet::FormActivate() {
    FHinweiseAktiv = true;
}

void TfrmNavolet::FormDeactivate() {
    FHinweiseAktiv = false;
}

void TfrmNavolet::HinweisAnzeigen(QWidget* control) {
    if (!FHinweiseAktiv || FGeschlossen) return;
    QString hint;
    for (QWidget* w = control; w != nullptr && w != this; w = w->parentWidget()) {
        hint = w->property(HintProperty).toString();
        if (!hint.isEmpty()) break;
    }
    const QString text = LangerHinweis(hint);
    if (text.isEmpty())
        StatusBar1->clearMessage();
    else
        StatusBar1->showMessage(text);
}

bool TfrmNavolet::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
            FormKeyPress(taste->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        auto* feld = qobject_cast<QLineEdit*>(watched);
        if (feld == nullptr || feld->property(TagProperty).isNull()) break;
        // The focus only leaves the field when it goes to another control of this window.
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
        if (grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason ||
            grund == Qt::MenuBarFocusReason)
            break;
        if (FFokusIntern || FGeschlossen) break;
        if (FeldArt(FeldVon(feld)) == TFeldArt::Geschwindigkeit)
            mmoGroesseExit(feld);
        else
            mmoRichtungExit(feld);
        break;
    }
    case QEvent::Enter:
        HinweisAnzeigen(qobject_cast<QWidget*>(watched));
        break;
    case QEvent::Leave:
        if (auto* w = qobject_cast<QWidget*>(watched)) HinweisAnzeigen(w->parentWidget());
        break;
    case QEvent::Resize:
        if (watched == suiFrmNavolet) Anordnen();
        break;
    default:
        break;
    }
    return TfrmBase::eventFilter(watched, event);
}

TFeldNamen TfrmNavolet::FeldVon(const QLineEdit* feld) const {
    return static_cast<TFeldNamen>(feld->property(TagProperty).toInt());
}

void TfrmNavolet::mmoChange(QLineEdit* feld, const QString& text) {
    if (!FRechner) return;
    const std::string alt = text.toStdString();
    const std::string& neu = FRechner->mmoChange(FeldVon(feld), alt);
    if (neu == alt) return;
    // The caret stays behind the characters before it that were kept.
    const qsizetype vorn =
        QString::fromStdString(Filtern(text.left(feld->cursorPosition()).toStdString())).size();
    const QSignalBlocker sperre(feld);
    feld->setText(QString::fromStdString(neu));
    feld->setCursorPosition(static_cast<int>(vorn));
}

void TfrmNavolet::mmoRichtungExit(QLineEdit* feld) {
    FeldVerlassen(feld);
}

void TfrmNavolet::mmoGroesseExit(QLineEdit* feld) {
    FeldVerlassen(feld);
}

void TfrmNavolet::FeldVerlassen(QLineEdit* feld) {
    if (FGeschlossen || !FRechner || !FRechner->HatRechenverfahren()) return;
    const TVerlassenErgebnis ergebnis = FRechner->FeldVerlassen(FeldVon(feld));
    if (!ergebnis.Ok) {
        Fehler(feld, QString::fromStdString(ergebnis.Meldung));
        return;
    }
    Anzeigen();
}

void TfrmNavolet::Fehler(QLineEdit* feld, const QString& meldung) {
    // The focus is already on its way to the next control; the box comes once it has arrived,
    // and then the field gets the focus back.
    const QPointer<QLineEdit> ziel(feld);
    QMetaObject::invokeMethod(
        this,
        [this, ziel, meldung] {
            if (FGeschlossen) return;
            QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), meldung,
                            QMessageBox::Ok, this);
            box.exec();
            if (FGeschlossen || !ziel) return;
            // Not every desktop gives the window the keyboard back after the box.
            activateWindow();
            {
                const TFlag intern(FFokusIntern);
                ziel->setFocus(Qt::OtherFocusReason);
            }
            ziel->selectAll();
        },
        Qt::QueuedConnection);
}

void TfrmNavolet::cbVGSelect(QComboBox* liste, int index) {
    if (!FRechner) return;
    const int nummer = liste->property(TagProperty).toInt();
    FRechner->cbVGSelect(nummer, index);
    const TFeldNamen f = EinheitFelder[static_cast<std::size_t>(nummer)];
    MemoTextSetzen(FFelder[f], FRechner->Text(f));
}

void TfrmNavolet::btnZurueckSetzenClick() {
    if (FGeschlossen || !FRechner || !FRechner->HatRechenverfahren()) return;
    FRechner->btnZurueckSetzenClick();
    Image->Leeren();
    Anzeigen();
}

void TfrmNavolet::FormKeyPress(bool rueckwaerts) {
    // The move runs after the key event, and leaving the field runs its handler as usual.
    QMetaObject::invokeMethod(
        this,
        [this, rueckwaerts] {
            if (!FGeschlossen) focusNextPrevChild(!rueckwaerts);
        },
        Qt::QueuedConnection);
}

void TfrmNavolet::NeuBerechnen() {
    if (FGeschlossen || !FRechner || !FRechner->HatRechenverfahren()) return;
    FRechner->NeuBerechnen();
    Anzeigen();
}

void TfrmNavolet::Anzeigen() {
    ZeichnungNachRechnung();
    for (const TFeldNamen f : Anzeigereihenfolge)
        MemoTextSetzen(FFelder[f], FRechner->Text(f));
    StatusFarbenSetzen();
}

void TfrmNavolet::ZeichnungNachRechnung() {
    if (IstZeichenbar(FRechner->EingabeStatus())) {
        ZeichneDreieck(Image->Bild(), Image->width(), Image->height(), FRechner->Werte(),
                       FRechner->EingabeStatus(), FDarstellung);
        Image->update();
    } else if (!FRechner->Zeichnung().Vorhanden) {
        if (!Image->Bild().isNull()) Image->Leeren();
    }
}

void TfrmNavolet::ImageResize() {
    // The picture follows the size of the area; it shows the values of its last drawing.
    if (!FRechner || !FRechner->Zeichnung().Vorhanden) return;
    const TZeichnung& z = FRechner->Zeichnung();
    ZeichneDreieck(Image->Bild(), Image->width(), Image->height(), z.Werte, z.Status, FDarstellung);
    Image->update();
}

void TfrmNavolet::MemoTextSetzen(QLineEdit* feld, const std::string& text) {
    const QString neu = QString::fromStdString(text);
    if (feld->text() == neu) return;
    const QSignalBlocker sperre(feld);
    feld->setText(neu);
}

void TfrmNavolet::StatusFarbenSetzen() {
    if (!FRechner) return;
    for (const TFeldNamen f : Anzeigereihenfolge) {
        const TFeldAnzeige a = FeldAnzeige(FRechner->EingabeStatus()[f], FDarstellung.StatusColors);
        TFeldZustand& z = FZustand[f];
        if (z.Gesetzt && z.Farbe == a.Farbe) continue;
        QLineEdit* feld = FFelder[f];
        QPalette palette = feld->palette();
        const QColor hintergrund = Farbe(a.Farbe);
        palette.setColor(QPalette::Base, hintergrund);
        // Text stays readable on whatever colour the user chose.
        const QColor schrift = hintergrund.lightness() < 110 ? Qt::white : Qt::black;
        palette.setColor(QPalette::Text, schrift);
        // The field's own palette roles outlive every design change; no design styles fields.
        feld->setPalette(palette);
        z.Farbe = a.Farbe;
        z.Gesetzt = true;
    }
    FelderFreigeben();
}

void TfrmNavolet::FelderFreigeben() {
    // Focus moves made here do not count as leaving a field.
    const TFlag intern(FFokusIntern);
    std::array<TFeldAnzeige, FeldAnzahl> anzeige{};
    for (int i = 0; i < FeldAnzahl; ++i)
        anzeige[static_cast<std::size_t>(i)] = FeldAnzeige(
            FRechner->EingabeStatus()[static_cast<std::size_t>(i)], FDarstellung.StatusColors);
    for (int i = 0; i < FeldAnzahl; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (FFelder[k]->focusPolicy() != (anzeige[k].TabStop ? Qt::StrongFocus : Qt::ClickFocus))
            FFelder[k]->setFocusPolicy(anzeige[k].TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    for (int i = 0; i < FeldAnzahl; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (FFelder[k]->isEnabled() != anzeige[k].Enabled)
            FFelder[k]->setEnabled(anzeige[k].Enabled);
    }
    // A control that is no tab stop any more passes the focus on to the next one.
    QWidget* fokus = focusWidget();
    if (fokus != nullptr && !(fokus->focusPolicy() & Qt::TabFocus)) focusNextPrevChild(true);
}

void TfrmNavolet::DarstellungSetzen(const TDarstellung& darstellung) {
    FDarstellung = darstellung;
    StatusFarbenSetzen();
    if (FRechner && IstZeichenbar(FRechner->EingabeStatus())) ZeichnungNachRechnung();
}

void TfrmNavolet::DesignFarbenUebernehmen() {
    const QColor rahmen = suiFrmNavolet->palette().color(QPalette::Window);
    for (QWidget* panel :
         {static_cast<QWidget*>(suiPnlEingabe), static_cast<QWidget*>(suiPnlButtons)}) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, rahmen);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    for (QComboBox* liste : FListen) {
        QPalette palette = liste->palette();
        palette.setColor(QPalette::Window, rahmen);
        palette.setColor(QPalette::Button, rahmen);
        palette.setColor(QPalette::Base, rahmen);
        liste->setPalette(palette);
    }
}

void TfrmNavolet::StatusSpeichern() {
    try {
        velorin::StatusSpeichern(FIniPfad, FDarstellung);
    } catch (const std::exception& e) {
        QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                        QString::fromUtf8(e.what()), QMessageBox::Ok, isVisible() ? this : nullptr);
        box.exec();
    }
}

void TfrmNavolet::StatusSpeichernVorUpdate() {
    StatusSpeichern();
}

void TfrmNavolet::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfrmNavolet::FormClose() {
    if (FGeschlossen) return;
    // From here on no leave handler and no reset may recompute.
    FGeschlossen = true;
    StatusSpeichern();
    if (FRechner) FRechner->RechenverfahrenFreigeben();
}

void TfrmNavolet::MenueAufbauen() {
    auto menue = [](QWidget* eltern, const char* name, const QString& titel) {
        auto* m = new QMenu(titel, eltern);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto eintrag = [this](QMenu* m, const char* name, const QString& titel, int tag,
                          void (TfrmNavolet::*handler)()) {
        QAction* a = m->addAction(titel);
        a->setObjectName(QLatin1String(name));
        a->setProperty("tag", tag);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto trenner = [](QMenu* m, const char* name) {
        m->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu* Dat1 = menue(suiMainMenu1, "Dat1", QStringLiteral("Datei"));
    trenner(Dat1, "N4");
    eintrag(Dat1, "beenden1", QStringLiteral("Programm beenden"), 0, &TfrmNavolet::beenden1Click);
    suiMainMenu1->addMenu(Dat1);

    QMenu* Ansicht1 = menue(suiMainMenu1, "Ansicht1", QStringLiteral("Ansicht"));
    QMenu* Design1 = menue(Ansicht1, "Design1", QStringLiteral("Design"));
    eintrag(Design1, "MacOS2", QStringLiteral("MacOS"), 0, &TfrmNavolet::SkinClick);
    eintrag(Design1, "WinXP2", QStringLiteral("WinXP"), 1, &TfrmNavolet::SkinClick);
    eintrag(Design1, "DeepBlue2", QStringLiteral("DeepBlue"), 2, &TfrmNavolet::SkinClick);
    eintrag(Design1, "Protein2", QStringLiteral("Protein"), 3, &TfrmNavolet::SkinClick);
    eintrag(Design1, "BlueGrass2", QStringLiteral("BlueGrass"), 4, &TfrmNavolet::SkinClick);
    trenner(Design1, "N5");
    eintrag(Design1, "Default2", QStringLiteral("Default"), 5, &TfrmNavolet::SkinClick);
    Ansicht1->addMenu(Design1);
    eintrag(Ansicht1, "FaL", QStringLiteral("Farben und Linien"), 0, &TfrmNavolet::FaLClick);
    suiMainMenu1->addMenu(Ansicht1);

    QMenu* Hilfe1 = menue(suiMainMenu1, "Hilfe1", QStringLiteral("Hilfe"));
    eintrag(Hilfe1, "Hilfeanzeigen1", QStringLiteral("Hilfe anzeigen"), 0,
            &TfrmNavolet::Hilfeanzeigen1Click);
    trenner(Hilfe1, "N2");
    eintrag(Hilfe1, "Info1", QStringLiteral("Info"), 0, &TfrmNavolet::Info1Click);
    suiMainMenu1->addMenu(Hilfe1);

    // F1 anywhere in the window shows the main help topic.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TfrmNavolet::Hilfeanzeigen1Click);
}

int TfrmNavolet::SenderTag(int standard) const {
    const QObject* s = sender();
    if (s == nullptr) return standard;
    bool ok = false;
    const int tag = s->property("tag").toInt(&ok);
    return ok ? tag : standard;
}

void TfrmNavolet::SkinClick() {
    SkinWaehlenMitTag(SenderTag(-1));
}

void TfrmNavolet::SkinWaehlenMitTag(int tag) {
    hide();
    SkinWaehlen(tag, FSteuerVar->Theme, FAnwendungsVerzeichnis);
    DesignFarbenUebernehmen();
    show();
}

void TfrmNavolet::FaLClick() {
    TDarstellung werte = FDarstellung;
    if (ShowFuLForm(werte, this)) DarstellungSetzen(werte);
}

void TfrmNavolet::Hilfeanzeigen1Click() {
    QString fehler;
    if (!HilfeZeigen(FHilfeDatei, HilfeKontextHaupt, this, &fehler)) Melden(fehler);
}

void TfrmNavolet::Info1Click() {
    const QStringList versionInfo = VersionInfo();
    TInfoAufruf aufruf;
    aufruf.Parent = this;
    aufruf.SteuerVar = FSteuerVar.get();
    aufruf.VersionInfo = &versionInfo;
    aufruf.Darstellung = &FDarstellung;
    aufruf.IniPfad = &FIniPfad;
    aufruf.AktivePageIndex = SenderTag(0);
    aufruf.ProgrammOrdner = &FAnwendungsVerzeichnis;
    QString fehler;
    if (InfoModulZeigen(FAnwendungsVerzeichnis, aufruf, &fehler) < 0) Melden(fehler);
}

void TfrmNavolet::beenden1Click() {
    close();
}

void TfrmNavolet::btnBeendenClick() {
    close();
}

} // namespace velorin

// The calculator window: sixteen entry fields with their unit lists, the drawing of the triangle
// and the status bar. A thin view over TRechner: it mirrors texts and statuses into the widgets
// and turns widget events into calls of the model.
#pragma once

#include "BasisFenster.h"
#include "Rechner.h"
#include "Typen.h"
#include "graphics/Darstellung.h"

#include <QString>

#include <array>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;

namespace velorin {

class TBildflaeche;
class TPanel;
class TSteuerVar;

class TfrmNavolet : public TfrmBase {
    Q_OBJECT

public:
    // anwendungsVerzeichnis: the program folder where help and theme files are looked for; empty
    // means the folder of the running executable.
    explicit TfrmNavolet(const QString& anwendungsVerzeichnis = QString());
    ~TfrmNavolet() override;

    const TRechner& Rechner() const { return *FRechner; }
    TSteuerVar& SteuerVar() { return *FSteuerVar; }
    const QString& Version() const { return FVersion; }
    const QString& HilfeDatei() const { return FHilfeDatei; }
    const std::string& IniPfad() const { return FIniPfad; }

    // Status colours and line widths; setting them recolours the fields and redraws.
    const TDarstellung& Darstellung() const { return FDarstellung; }
    void DarstellungSetzen(const TDarstellung& darstellung);

    QLineEdit* Feld(TFeldNamen f) const { return FFelder[f]; }
    QComboBox* EinheitListe(int liste) const { return FListen[static_cast<std::size_t>(liste)]; }
    const QImage& Bild() const;

    // A data folder could not be created: the program is to end as soon as it can.
    bool BeendenAngefordert() const { return FBeendenAngefordert; }

public slots:
    // Writes the status colours and line widths; the update program's launcher calls it first.
    void StatusSpeichernVorUpdate();
    // Input panel, button panel and unit lists take the colour of the window's frame.
    void DesignFarbenUebernehmen();
    // Colours, enables and orders the sixteen fields by their status.
    void StatusFarbenSetzen();

    // Menu commands; the sender's "tag" property selects the design or the dialog page.
    void SkinClick();
    void FaLClick();
    void Hilfeanzeigen1Click();
    void Info1Click();
    void beenden1Click();
    void btnBeendenClick();
    // The design command for a tag of the design menu (0 MacOS ... 5 Default).
    void SkinWaehlenMitTag(int tag);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Aufbauen();
    void MenueAufbauen();
    int SenderTag(int standard) const;
    void Anordnen();
    void FormCreate();
    void FormActivate();
    void FormDeactivate();
    void FormClose();
    void HinweisAnzeigen(QWidget* control);

    void mmoChange(QLineEdit* feld, const QString& text);
    void mmoRichtungExit(QLineEdit* feld);
    void mmoGroesseExit(QLineEdit* feld);
    void FeldVerlassen(QLineEdit* feld);
    void cbVGSelect(QComboBox* liste, int index);
    void btnZurueckSetzenClick();
    void FormKeyPress(bool rueckwaerts);

    void NeuBerechnen();
    // Texts, drawing and colours after the model has recomputed.
    void Anzeigen();
    void ZeichnungNachRechnung();
    void ImageResize();
    void MemoTextSetzen(QLineEdit* feld, const std::string& text);
    void FelderFreigeben();
    void Fehler(QLineEdit* feld, const QString& meldung);
    void StatusSpeichern();
    void Melden(const QString& text);
    // Asks the application to end once its event loop runs.
    void Beenden();
    TFeldNamen FeldVon(const QLineEdit* feld) const;

    std::unique_ptr<TRechner> FRechner;
    std::unique_ptr<TSteuerVar> FSteuerVar;
    TDarstellung FDarstellung;
    QString FAnwendungsVerzeichnis;
    QString FVersion;
    QString FHilfeDatei;
    std::string FIniPfad;

    QMenuBar* suiMainMenu1 = nullptr;
    QWidget* suiFrmNavolet = nullptr;
    TPanel* suiPnlEingabe = nullptr;
    TPanel* suiPnlGraphik = nullptr;
    TPanel* suiPnlButtons = nullptr;
    TBildflaeche* Image = nullptr;
    QPushButton* btnZurueckSetzen = nullptr;
    QPushButton* btnBeenden = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLineEdit*, FeldAnzahl> FFelder{};
    std::array<QComboBox*, 5> FListen{};

    // Last colour given to each field, so that only changes reach the widgets.
    struct TFeldZustand {
        bool Gesetzt = false;
        TColor Farbe = 0;
    };
    std::array<TFeldZustand, FeldAnzahl> FZustand{};

    bool FHinweiseAktiv = false;
    // Focus moves made by the window itself: no leave handling for the field they leave.
    bool FFokusIntern = false;
    // Set from the close handling on: no recompute, no message.
    bool FGeschlossen = false;
    bool FBeendenAngefordert = false;
};

} // namespace velorin

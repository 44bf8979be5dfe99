// The dialog "Farben und Linien einstellen": the four status colours and the two pen widths of
// the triangle drawing. It works on copies; the caller's values change only on "OK".
#pragma once

#include "Darstellung.h"
#include "Typen.h"

#include <QDialog>
#include <QSpinBox>

#include <array>
#include <cstdint>

class QColorDialog;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace velorin {

// Spin field for a pen width, 1 to 10. Only digits and a leading minus can be typed; on leaving,
// text that is no integer gives 1 and a value outside the range the nearer bound.
class TBreitenFeld : public QSpinBox {
    Q_OBJECT

public:
    explicit TBreitenFeld(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    int valueFromText(const QString& text) const override;
};

class TfrmFuL : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFuL(QWidget* owner = nullptr);

    // Working copy of the colours and the widths the spin fields are filled from.
    TStatusColors StatusColors = DefaultStatusColors;
    std::int32_t LinienBreiteVektoren = DefaultLinienBreite;
    std::int32_t LinienBreiteNord = DefaultLinienBreite;

    // Colour boxes and spin fields from the working copy.
    void frmFuLAufbau();

    // The values the dialog hands back: colours of the working copy, widths of the spin fields
    // after their text has been taken in.
    TDarstellung Ergebnis();

    QLineEdit* edtEingegeben = nullptr;
    QLineEdit* edtBerechnet = nullptr;
    QLineEdit* edtEingMoeglich = nullptr;
    QLineEdit* edtNichtDef = nullptr;
    QPushButton* btnEingegeben = nullptr;
    QPushButton* btnBerechnet = nullptr;
    QPushButton* btnEingMoeglich = nullptr;
    QPushButton* btnNichtDef = nullptr;
    TBreitenFeld* edtBreite = nullptr;
    TBreitenFeld* edtBreiteNord = nullptr;
    QPushButton* btnAbbrechen = nullptr;
    QPushButton* btnStandard = nullptr;
    QPushButton* btnOK = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QColorDialog* ColorDialog1 = nullptr;

public slots:
    // One handler for the four "..C.." buttons; the sender's tag names the status.
    void btnClick();
    void btnStandardClick();

private:
    void FarbenAufbau();
    void FarbeWaehlen(int status);
};

// Runs the dialog modally over owner with copies of werte. On "OK" the four colours and the two
// widths of the spin fields (always 1 to 10) are written back and the result is true; any other
// way of closing leaves werte untouched. The dialog takes the application's design.
bool ShowFuLForm(TDarstellung& werte, QWidget* owner);

} // namespace velorin

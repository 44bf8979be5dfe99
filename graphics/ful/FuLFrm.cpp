#include "FuLFrm.h"

#include <QColor>
#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cstddef>
#include <utility>

namespace velorin {

namespace {

// The tag of a control names the item it stands for.
const char* const TagProperty = "tag";

constexpr int ClientBreite = 397;
constexpr int ClientHoehe = 291;

QColor Farbe(TColor c) {
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

TColor FarbeAus(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<TColor>(rgb.red()) | (static_cast<TColor>(rgb.green()) << 8) |
           (static_cast<TColor>(rgb.blue()) << 16);
}

// Text that is no integer counts as the minimum; anything else is held to the range.
int BreiteAusText(const QString& text, int kleinste, int groesste) {
    bool ok = false;
    const qlonglong wert = text.trimmed().toLongLong(&ok);
    if (!ok) return kleinste;
    if (wert < kleinste) return kleinste;
    if (wert > groesste) return groesste;
    return static_cast<int>(wert);
}

} // namespace

TBreitenFeld::TBreitenFeld(QWidget* parent) : QSpinBox(parent) {
    setRange(1, 10);
    setSingleStep(1);
    setValue(1);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State TBreitenFeld::validate(QString& text, int& /*pos*/) const {
    // Digits and a leading minus only; nine digits keep every text inside an int.
    static const QRegularExpression erlaubt(QStringLiteral("^-?[0-9]{0,9}$"));
    if (!erlaubt.match(text).hasMatch()) return QValidator::Invalid;
    bool ok = false;
    const int wert = text.toInt(&ok);
    return ok && wert >= minimum() && wert <= maximum() ? QValidator::Acceptable
                                                        : QValidator::Intermediate;
}

void TBreitenFeld::fixup(QString& text) const {
    text = QString::number(BreiteAusText(text, minimum(), maximum()));
}

int TBreitenFeld::valueFromText(const QString& text) const {
    return BreiteAusText(text, minimum(), maximum());
}

TfrmFuL::TfrmFuL(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmFuL"));
    setWindowTitle(QStringLiteral("Farben und Linien einstellen"));
    setFixedSize(ClientBreite, ClientHoehe);

    auto* raster = new QGridLayout;
    raster->setHorizontalSpacing(6);
    raster->setVerticalSpacing(6);
    raster->setColumnStretch(0, 1);

    struct TZeile {
        const char* Text;
        const char* Box;
        const char* Knopf;
        TEingStatus Status;
        QLineEdit** BoxFeld;
        QPushButton** KnopfFeld;
    };
    const TZeile zeilen[] = {
        {"eingegebener Wert:", "edtEingegeben", "btnEingegeben", CI_Eingegeben, &edtEingegeben,
         &btnEingegeben},
        {"berechneter Wert:", "edtBerechnet", "btnBerechnet", CI_Ergebnis, &edtBerechnet,
         &btnBerechnet},
        {"Eingabe noch möglich:", "edtEingMoeglich", "btnEingMoeglich", CI_EingMoeglich,
         &edtEingMoeglich, &btnEingMoeglich},
        {"nicht definiert:", "edtNichtDef", "btnNichtDef", CI_Undef, &edtNichtDef, &btnNichtDef},
    };
    int zeile = 0;
    for (const TZeile& z : zeilen) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(z.Box));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setFixedSize(96, 21);
        auto* knopf = new QPushButton(QStringLiteral("..C.."), this);
        knopf->setObjectName(QLatin1String(z.Knopf));
        knopf->setProperty(TagProperty, static_cast<int>(z.Status));
        knopf->setAutoDefault(false);
        knopf->setFixedWidth(52);
        connect(knopf, &QPushButton::clicked, this, &TfrmFuL::btnClick);
        auto* beschriftung = new QLabel(QString::fromUtf8(z.Text), this);
        beschriftung->setBuddy(knopf);
        raster->addWidget(beschriftung, zeile, 0);
        raster->addWidget(box, zeile, 1);
        raster->addWidget(knopf, zeile, 2);
        *z.BoxFeld = box;
        *z.KnopfFeld = knopf;
        ++zeile;
    }

    edtBreite = new TBreitenFeld(this);
    edtBreite->setObjectName(QStringLiteral("edtBreite"));
    edtBreiteNord = new TBreitenFeld(this);
    edtBreiteNord->setObjectName(QStringLiteral("edtBreiteNord"));
    raster->setRowMinimumHeight(zeile++, 4);
    const std::pair<const char*, TBreitenFeld*> breiten[] = {
        {"Linienbreite Vektoren (Pixel)", edtBreite},
        {"Linienbreite Nordrichrung  (Pixel)", edtBreiteNord},
    };
    for (const auto& [text, feld] : breiten) {
        feld->setFixedWidth(60);
        auto* beschriftung = new QLabel(QString::fromUtf8(text), this);
        beschriftung->setBuddy(feld);
        raster->addWidget(beschriftung, zeile, 0);
        raster->addWidget(feld, zeile, 1, Qt::AlignLeft);
        ++zeile;
    }

    btnAbbrechen = new QPushButton(QStringLiteral("abbrechen"), this);
    btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    btnAbbrechen->setAutoDefault(false);
    connect(btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    btnStandard = new QPushButton(QStringLiteral("auf Standard zurücksetzen"), this);
    btnStandard->setObjectName(QStringLiteral("btnStandard"));
    btnStandard->setAutoDefault(false);
    connect(btnStandard, &QPushButton::clicked, this, &TfrmFuL::btnStandardClick);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(btnAbbrechen);
    knoepfe->addStretch(1);
    knoepfe->addWidget(btnStandard);
    knoepfe->addStretch(1);
    knoepfe->addWidget(btnOK);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
    ColorDialog1->setWindowTitle(QStringLiteral("Farbe auswählen"));

    auto* inhalt = new QVBoxLayout;
    inhalt->setContentsMargins(10, 12, 10, 8);
    inhalt->addLayout(raster);
    inhalt->addStretch(1);
    inhalt->addLayout(knoepfe);
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    haupt->addLayout(inhalt, 1);
    haupt->addWidget(StatusBar1);

    frmFuLAufbau();
}

void TfrmFuL::FarbenAufbau() {
    const std::pair<QLineEdit*, TEingStatus> boxen[] = {
        {edtEingegeben, CI_Eingegeben},
        {edtBerechnet, CI_Ergebnis},
        {edtEingMoeglich, CI_EingMoeglich},
        {edtNichtDef, CI_Undef},
    };
    for (const auto& [box, status] : boxen) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, Farbe(StatusColors[static_cast<std::size_t>(status)]));
        box->setPalette(palette);
    }
}

void TfrmFuL::frmFuLAufbau() {
    FarbenAufbau();
    edtBreite->setValue(LinienBreiteVektoren); // the spin field holds a stored 25 to 10
    edtBreiteNord->setValue(LinienBreiteNord);
}

TDarstellung TfrmFuL::Ergebnis() {
    // Enter on "OK" leaves the focus in a spin field: take its text in first.
    edtBreite->interpretText();
    edtBreiteNord->interpretText();
    TDarstellung werte;
    werte.StatusColors = StatusColors;
    werte.LinienBreiteVektoren = edtBreite->value();
    werte.LinienBreiteNord = edtBreiteNord->value();
    return werte;
}

void TfrmFuL::btnClick() {
    const QObject* knopf = sender();
    if (knopf == nullptr) return;
    bool ok = false;
    const int status = knopf->property(TagProperty).toInt(&ok);
    if (!ok || status < 0 || status >= static_cast<int>(StatusColors.size())) return;
    FarbeWaehlen(status);
}

void TfrmFuL::FarbeWaehlen(int status) {
    TColor& farbe = StatusColors[static_cast<std::size_t>(status)];
    ColorDialog1->setCurrentColor(Farbe(farbe));
    if (ColorDialog1->exec() != QDialog::Accepted) return;
    farbe = FarbeAus(ColorDialog1->selectedColor());
    // Only the colour boxes: widths typed so far stay.
    FarbenAufbau();
}

void TfrmFuL::btnStandardClick() {
    StatusColors = DefaultStatusColors;
    LinienBreiteVektoren = DefaultLinienBreite;
    LinienBreiteNord = DefaultLinienBreite;
    frmFuLAufbau();
}

bool ShowFuLForm(TDarstellung& werte, QWidget* owner) {
    TfrmFuL dialog(owner);
    dialog.StatusColors = werte.StatusColors;
    dialog.LinienBreiteVektoren = werte.LinienBreiteVektoren;
    dialog.LinienBreiteNord = werte.LinienBreiteNord;
    dialog.frmFuLAufbau();
    if (dialog.exec() != QDialog::Accepted) return false;
    werte = dialog.Ergebnis();
    return true;
}

} // namespace velorin

#include "Design.h"

#include "SkinWerte.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>

#include <optional>
#include <string_view>

namespace velorin {

namespace {

TTheme& Aktuell() {
    static TTheme theme;
    return theme;
}

QColor Farbe(TRgb f) {
    return QColor(f.R, f.G, f.B);
}

QColor Mischung(TRgb a, TRgb b, double anteil) {
    const auto kanal = [anteil](int x, int y) { return qRound(x + (y - x) * anteil); };
    return QColor(kanal(a.R, b.R), kanal(a.G, b.G), kanal(a.B, b.B));
}

QPalette PaletteAus(const TSkinWerte& w) {
    // Light, mid, dark and shadow follow from the button and window colours.
    QPalette p(Farbe(w.Knopf), Farbe(w.Fenster));
    p.setColor(QPalette::WindowText, Farbe(w.FensterText));
    p.setColor(QPalette::Base, Farbe(w.Basis));
    p.setColor(QPalette::AlternateBase, Farbe(w.BasisWechsel));
    p.setColor(QPalette::Text, Farbe(w.Text));
    p.setColor(QPalette::ButtonText, Farbe(w.KnopfText));
    p.setColor(QPalette::Highlight, Farbe(w.Auswahl));
    p.setColor(QPalette::HighlightedText, Farbe(w.AuswahlText));
    p.setColor(QPalette::ToolTipBase, Farbe(w.Menue));
    p.setColor(QPalette::ToolTipText, Farbe(w.MenueText));
    p.setColor(QPalette::Link, Farbe(w.Auswahl));
    p.setColor(QPalette::LinkVisited, Mischung(w.Auswahl, w.Text, 0.4));
    p.setColor(QPalette::PlaceholderText, Mischung(w.Text, w.Basis, 0.5));
    p.setColor(QPalette::Disabled, QPalette::WindowText, Mischung(w.FensterText, w.Fenster, 0.55));
    p.setColor(QPalette::Disabled, QPalette::Text, Mischung(w.Text, w.Basis, 0.55));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, Mischung(w.KnopfText, w.Knopf, 0.55));
    p.setColor(QPalette::Disabled, QPalette::Highlight, Mischung(w.Auswahl, w.Fenster, 0.5));
    return p;
}

std::optional<TSkinWerte> ThemeDateiLesen(const QString& pfad) {
    // Only a regular file: a pipe or device would block the start.
    if (pfad.isEmpty() || !QFileInfo(pfad).isFile()) return std::nullopt;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) return std::nullopt;
    // One byte more than allowed, so that an oversized file is recognised as such.
    const QByteArray text = datei.read(static_cast<qint64>(MaxSkinDateiGroesse) + 1);
    return SkinDateiLesen(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

// The chevron of a tool or menu bar that has run out of room, drawn when it is first shown.
class TMehrSymbol : public QIconEngine {
public:
    explicit TMehrSymbol(bool senkrecht) : FSenkrecht(senkrecht) {}

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette::ColorGroup gruppe =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(QPen(QGuiApplication::palette().color(gruppe, QPalette::ButtonText),
                       qMax(1.0, rect.width() / 8.0)));
        p->translate(rect.center());
        const double s = qMin(rect.width(), rect.height()) / 5.0;
        if (FSenkrecht) p->rotate(90);
        for (const double x : {-s, s * 0.4}) {
            const QPointF linie[] = {
                {x - s * 0.7, -s * 1.4}, {x + s * 0.7, 0}, {x - s * 0.7, s * 1.4}};
            p->drawPolyline(linie, 3);
        }
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap bild(size);
        bild.fill(Qt::transparent);
        QPainter p(&bild);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return bild;
    }

    QIconEngine* clone() const override { return new TMehrSymbol(FSenkrecht); }

private:
    bool FSenkrecht;
};

// The toolkit style with one change: the extension button of a menu bar does not load the style's
// image files, which would make the first menu bar load every image format plugin.
class TDesignStil : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton ||
            icon == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TMehrSymbol(icon == SP_ToolBarVerticalExtensionButton));
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

// No skin values: the plain look, the base style's own palette and no style sheet.
void Anwenden(const std::optional<TSkinWerte>& werte) {
    const bool windows = werte && werte->Basisstil == TBasisStil::Windows;
    QStyle* stil =
        QStyleFactory::create(windows ? QStringLiteral("Windows") : QStringLiteral("Fusion"));
    if (stil == nullptr) stil = QStyleFactory::create(QStringLiteral("Fusion"));
    const QPalette palette = werte ? PaletteAus(*werte) : stil->standardPalette();
    QApplication::setStyle(new TDesignStil(stil)); // the application owns the style from here on
    QApplication::setPalette(palette);
    qApp->setStyleSheet(werte ? QString::fromStdString(SkinStyleSheet(*werte)) : QString());
}

} // namespace

bool StilVonTag(int tag, TUIStyle& stil) {
    switch (tag) {
    case 0:
        stil = TUIStyle::MacOS;
        return true;
    case 1:
        stil = TUIStyle::WinXP;
        return true;
    case 2:
        stil = TUIStyle::DeepBlue;
        return true;
    case 3:
        stil = TUIStyle::Protein;
        return true;
    case 4:
        stil = TUIStyle::BlueGlass;
        return true;
    case 5:
        stil = TUIStyle::FromThemeFile;
        return true;
    default:
        return false;
    }
}

QString ThemeDateiPfad(const std::string& themeFile, const QString& programmOrdner) {
    if (themeFile.empty()) return QString();
    const QString name = QString::fromStdString(themeFile);
    if (QDir::isAbsolutePath(name)) return name;
    const QString ordner =
        programmOrdner.isEmpty() ? QCoreApplication::applicationDirPath() : programmOrdner;
    return QDir(ordner).filePath(name);
}

bool DesignAnwenden(const TTheme& theme, const QString& programmOrdner) {
    std::optional<TSkinWerte> werte;
    bool gelesen = true;
    if (theme.UIStyle == TUIStyle::FromThemeFile) {
        werte = ThemeDateiLesen(ThemeDateiPfad(theme.ThemeFile, programmOrdner));
        gelesen = werte.has_value();
    } else {
        werte = EingebauteSkin(theme.UIStyle);
    }
    Anwenden(werte);
    Aktuell() = theme;
    return gelesen;
}

bool SkinWaehlen(int tag, TTheme& theme, const QString& programmOrdner) {
    TUIStyle stil = TUIStyle::FromThemeFile;
    if (!StilVonTag(tag, stil)) return false;
    TTheme neu = theme;
    neu.UIStyle = stil;
    if (stil == TUIStyle::FromThemeFile) neu.ThemeFile = StandardThemeDatei;
    DesignAnwenden(neu, programmOrdner);
    theme = neu;
    return true;
}

TTheme AktuellesDesign() {
    return Aktuell();
}

QColor SkinFarbe() {
    return QApplication::palette().color(QPalette::Active, QPalette::Window);
}

} // namespace velorin

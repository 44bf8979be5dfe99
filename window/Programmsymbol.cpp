#include "Programmsymbol.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace velorin {

namespace {

// A shaft of width w from a to b with an arrowhead at b; coordinates of a 256 pixel tile.
void Pfeil(QPainter& p, QPointF a, QPointF b, const QColor& farbe, double w) {
    const QPointF d = b - a;
    const double laenge = std::hypot(d.x(), d.y());
    const QPointF u = d / laenge;
    const QPointF n(-u.y(), u.x());
    const double h = w * 2.6;
    const double s = w * 1.6;
    const QPointF e = b - u * h;
    QPainterPath schaft;
    schaft.moveTo(a + n * w / 2);
    schaft.lineTo(e + n * w / 2);
    schaft.lineTo(e - n * w / 2);
    schaft.lineTo(a - n * w / 2);
    schaft.closeSubpath();
    QPainterPath spitze;
    spitze.moveTo(b);
    spitze.lineTo(e + n * s);
    spitze.lineTo(e - n * s);
    spitze.closeSubpath();
    p.fillPath(schaft, farbe);
    p.fillPath(spitze, farbe);
}

QPixmap Zeichnen(int groesse) {
    QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(groesse / 256.0, groesse / 256.0);
    QLinearGradient himmel(0, 16, 0, 240);
    himmel.setColorAt(0, QColor(0x3d, 0x8f, 0xd9));
    himmel.setColorAt(1, QColor(0x17, 0x3f, 0x7a));
    p.setPen(Qt::NoPen);
    p.setBrush(himmel);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);
    const double w = groesse <= 32 ? 16 : 11;
    Pfeil(p, {70, 206}, {70, 44}, Qt::white, w * 0.6);
    Pfeil(p, {70, 206}, {198, 84}, QColor(0x00, 0xff, 0x00), w);
    Pfeil(p, {198, 84}, {206, 178}, QColor(0xc0, 0xdc, 0xc0), w);
    Pfeil(p, {70, 206}, {206, 178}, QColor(0xff, 0xff, 0x00), w);
    p.end();
    return QPixmap::fromImage(bild);
}

} // namespace

QIcon Programmsymbol() {
    QIcon symbol;
    for (int groesse : {16, 32, 64})
        symbol.addPixmap(Zeichnen(groesse));
    return symbol;
}

} // namespace velorin

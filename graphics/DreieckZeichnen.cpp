#include "DreieckZeichnen.h"

#include "Rechner.h"

#include <algorithm>

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QSaveFile>
#include <QVarLengthArray>

namespace velorin {

namespace {

// 0x00BBGGRR to an opaque colour.
QColor Farbe(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void FlaecheMalen(QPainter& p, const TPolygon& flaeche, const QColor& farbe) {
    QVarLengthArray<QPointF, 8> punkte;
    for (const TPunkt& q : flaeche)
        punkte.append(QPointF(q.X, q.Y));
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPolygon(punkte.constData(), static_cast<int>(punkte.size()), Qt::OddEvenFill);
}

// A stroked line with flat ends covers the same quadrilateral as the filled shaft; the
// rasteriser handles it without scanning the whole bounding box.
void LinieMalen(QPainter& p, const TSegment& linie, double breite, const QColor& farbe) {
    p.setBrush(Qt::NoBrush);
    // Qt hands pens of at most one pixel to its hairline stroker, whose coverage is that of a
    // hairline, not of the filled shaft; a hair wider keeps the area rasteriser.
    p.setPen(QPen(farbe, std::max(breite, 1.001), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(linie.X1, linie.Y1), QPointF(linie.X2, linie.Y2));
}

void BogenMalen(QPainter& p, const TBogen& bogen, const QColor& farbe) {
    const QRectF kreis(bogen.Mitte.X - bogen.Radius, bogen.Mitte.Y - bogen.Radius, 2 * bogen.Radius,
                       2 * bogen.Radius);
    // Qt counts angles counter-clockwise on the screen.
    QPainterPath pfad;
    pfad.arcMoveTo(kreis, -bogen.StartWinkel);
    pfad.arcTo(kreis, -bogen.StartWinkel, -bogen.Spanne);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(farbe, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(pfad);
    FlaecheMalen(p, bogen.Pfeil, farbe);
}

} // namespace

void BildMalen(QImage& bild, const TDreieckBild& dreieck) {
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    for (const TBildElement& e : dreieck.Elemente) {
        if (e.IstBogen)
            BogenMalen(p, e.Bogen, Farbe(e.Farbe));
        else if (e.AlsLinie)
            LinieMalen(p, e.Linie, e.LinienBreite, Farbe(e.Farbe));
        else
            FlaecheMalen(p, e.Flaeche, Farbe(e.Farbe));
    }
}

bool ZeichneDreieck(QImage& bild, int breite, int hoehe, const TWerte& werte,
                    const TEingabeStatus& status, const TDarstellung& darstellung) {
    if (!IstZeichenbar(status)) return false;
    const TDreieckBild dreieck = DreieckBild(werte, status, darstellung, breite, hoehe);
    if (!dreieck.Gueltig) return false;
    if (breite <= 0 || hoehe <= 0) {
        bild = QImage();
        return true;
    }
    if (bild.width() != breite || bild.height() != hoehe ||
        bild.format() != QImage::Format_ARGB32_Premultiplied) {
        bild = QImage(breite, hoehe, QImage::Format_ARGB32_Premultiplied);
        if (bild.isNull()) return false;
    }
    BildMalen(bild, dreieck);
    return true;
}

bool DreieckAlsPng(const TWerte& werte, const TEingabeStatus& status, int breite, int hoehe,
                   const std::string& iniPfad, const std::string& pngPfad, std::string& fehler) {
    if (breite < 1 || hoehe < 1 || breite > PngGroesseMaximal || hoehe > PngGroesseMaximal) {
        fehler = "Ungültige Bildgröße " + std::to_string(breite) + "x" + std::to_string(hoehe) +
                 ": Breite und Höhe müssen zwischen 1 und " + std::to_string(PngGroesseMaximal) +
                 " Pixel liegen.";
        return false;
    }
    const std::string nichtZeichenbar =
        "Das Winddreieck kann nicht gezeichnet werden: Steuerkurs, Eigengeschwindigkeit, "
        "Windrichtung, Windgeschwindigkeit, Kurs und Grundgeschwindigkeit müssen bekannt sein.";
    if (!IstZeichenbar(status)) {
        fehler = nichtZeichenbar;
        return false;
    }
    const TDarstellung darstellung = iniPfad.empty() ? TDarstellung{} : StatusLesen(iniPfad);
    const TDreieckBild dreieck = DreieckBild(werte, status, darstellung, breite, hoehe);
    if (!dreieck.Gueltig) {
        fehler = "Das Winddreieck kann nicht gezeichnet werden: die Werte ergeben kein "
                 "endliches Bild.";
        return false;
    }
    QImage bild(breite, hoehe, QImage::Format_ARGB32_Premultiplied);
    if (bild.isNull()) {
        fehler = "Für ein Bild von " + std::to_string(breite) + "x" + std::to_string(hoehe) +
                 " Pixel reicht der Speicher nicht.";
        return false;
    }
    BildMalen(bild, dreieck);

    // Written beside the target and renamed over it: never half a file.
    QSaveFile datei(QFile::decodeName(QByteArray::fromStdString(pngPfad)));
    if (!datei.open(QIODevice::WriteOnly) ||
        !bild.convertToFormat(QImage::Format_RGB32).save(&datei, "PNG") || !datei.commit()) {
        fehler = "Die Datei " + pngPfad +
                 " kann nicht geschrieben werden: " + datei.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace velorin

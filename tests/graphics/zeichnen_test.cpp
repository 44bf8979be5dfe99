#include "DreieckZeichnen.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace velorin;

namespace {

TWerte Beispiel() {
    TWerte w{};
    w[VeR] = 90;
    w[VeG] = 100;
    w[VwR] = 45;
    w[VwG] = 20;
    return w;
}

TEingabeStatus Status(TEingStatus luft, TEingStatus wind, TEingStatus grund) {
    TEingabeStatus s{};
    s[VeR] = luft;
    s[VeG] = luft;
    s[VwR] = wind;
    s[VwG] = wind;
    s[VgR] = grund;
    s[VgG] = grund;
    return s;
}

QRgb PixelAuf(const QImage& bild, const TSegment& s, double anteil) {
    return bild.pixel(static_cast<int>(std::floor(s.X1 + anteil * (s.X2 - s.X1))),
                      static_cast<int>(std::floor(s.Y1 + anteil * (s.Y2 - s.Y1))));
}

bool Weiss(QRgb p) {
    return p == 0xFFFFFFFFu;
}

// A visible blend of the colour with white (an anti-aliased thin line).
bool Getoent(QRgb p, QRgb farbe) {
    const QColor c(p);
    return c.hsvSaturation() > 60 && std::abs(c.hsvHue() - QColor(farbe).hsvHue()) <= 4;
}

} // namespace

TEST(Zeichnen, VectorsAndArcsTakeTheColourOfTheirStatus) {
    TDarstellung d;
    d.StatusColors[CI_Eingegeben] = 0x0000FF; // red, stored as 0x00BBGGRR
    d.StatusColors[CI_Ergebnis] = 0xFF8000;   // a blue
    d.LinienBreiteVektoren = 4;
    const QRgb rot = qRgb(255, 0, 0);
    const QRgb blau = qRgb(0, 0x80, 0xFF);
    const struct {
        TEingStatus luft, wind, grund;
        QRgb luftFarbe, windFarbe, grundFarbe;
    } faelle[] = {
        {CI_Eingegeben, CI_Ergebnis, CI_Eingegeben, rot, blau, rot},
        {CI_Ergebnis, CI_Eingegeben, CI_Ergebnis, blau, rot, blau},
    };
    d.LinienBreiteNord = 2;
    const TDreieckSegmente s = Einpassen(ModellSegmente(Beispiel()), 364, 442);
    for (const auto& f : faelle) {
        QImage bild;
        ASSERT_TRUE(ZeichneDreieck(bild, 364, 442, Beispiel(), Status(f.luft, f.wind, f.grund), d));
        ASSERT_EQ(bild.size(), QSize(364, 442));
        EXPECT_EQ(bild.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(PixelAuf(bild, s.Luft, 0.25), f.luftFarbe);
        EXPECT_EQ(PixelAuf(bild, s.Wind, 0.25), f.windFarbe);
        EXPECT_EQ(PixelAuf(bild, s.Grund, 0.25), f.grundFarbe);
        EXPECT_EQ(PixelAuf(bild, s.Nord1, 0.5), qRgb(0, 0, 0));
        EXPECT_EQ(PixelAuf(bild, s.Nord2, 0.5), qRgb(0, 0, 0));
        // The heading arc (radius 20 round the start) crosses north-east at 45 degrees.
        const int x = static_cast<int>(s.Luft.X1 + 20 * std::sqrt(0.5));
        const int y = static_cast<int>(s.Luft.Y1 - 20 * std::sqrt(0.5));
        bool gefunden = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                gefunden |= Getoent(bild.pixel(x + dx, y + dy), f.luftFarbe);
        EXPECT_TRUE(gefunden);
    }
}

TEST(Zeichnen, NothingInTheMarginButTheNorthLineTop) {
    // Heading 300 puts the start low on the right and the junction high on the left. Arcs
    // round both may leave the margin, so their discs are left out of the check.
    for (const TWerte& w : {Beispiel(), [] {
                                TWerte w = Beispiel();
                                w[VeR] = 300;
                                w[VwR] = 250;
                                w[VwG] = 60;
                                return w;
                            }()}) {
        TDarstellung d;
        d.LinienBreiteVektoren = 3;
        d.LinienBreiteNord = 2;
        QImage bild;
        const auto status = Status(CI_Eingegeben, CI_Ergebnis, CI_Ergebnis);
        ASSERT_TRUE(ZeichneDreieck(bild, 364, 442, w, status, d));
        const TDreieckSegmente s = Einpassen(ModellSegmente(w), 364, 442);
        const double spitze = 2 * PfeilHalbeBreite(d.LinienBreiteNord) + 1;
        int gemalt = 0;
        for (int y = 0; y < bild.height(); ++y) {
            for (int x = 0; x < bild.width(); ++x) {
                const bool imRand = x < 24 || y < 24 || x >= 364 - 24 || y >= 442 - 24;
                const bool nahBogen = std::hypot(x + 0.5 - s.Luft.X1, y + 0.5 - s.Luft.Y1) < 24 ||
                                      std::hypot(x + 0.5 - s.Wind.X1, y + 0.5 - s.Wind.Y1) < 24;
                // The arrowheads on the north lines' tops are as wide as their pen asks.
                const bool nahNordSpitze =
                    std::hypot(x + 0.5 - s.Nord1.X2, y + 0.5 - s.Nord1.Y2) < spitze ||
                    std::hypot(x + 0.5 - s.Nord2.X2, y + 0.5 - s.Nord2.Y2) < spitze;
                if (imRand && !nahBogen && !nahNordSpitze && !Weiss(bild.pixel(x, y))) ++gemalt;
            }
        }
        EXPECT_EQ(gemalt, 0);
        // The north line's arrowhead reaches the top margin.
        EXPECT_FALSE(Weiss(bild.pixel(static_cast<int>(s.Nord1.X1), 26)));
    }
}

TEST(Zeichnen, ShaftsStrokedAsLinesMatchTheirPolygons) {
    TWerte w = Beispiel();
    w[VeR] = 300;
    for (int breite : {1, 5}) {
        TDarstellung d;
        d.LinienBreiteVektoren = breite;
        d.LinienBreiteNord = breite + 1;
        const TDreieckBild alsLinie =
            DreieckBild(w, Status(CI_Eingegeben, CI_Ergebnis, CI_Ergebnis), d, 364, 442);
        TDreieckBild alsFlaeche = alsLinie;
        int linien = 0;
        for (TBildElement& e : alsFlaeche.Elemente) {
            linien += e.AlsLinie;
            e.AlsLinie = false;
        }
        EXPECT_EQ(linien, 5); // three vectors, two north lines
        QImage a(364, 442, QImage::Format_ARGB32_Premultiplied);
        QImage b(364, 442, QImage::Format_ARGB32_Premultiplied);
        BildMalen(a, alsLinie);
        BildMalen(b, alsFlaeche);
        int groessteAbweichung = 0;
        for (int y = 0; y < 442; ++y) {
            for (int x = 0; x < 364; ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                groessteAbweichung =
                    std::max({groessteAbweichung, std::abs(qRed(p) - qRed(q)),
                              std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
            }
        }
        EXPECT_LE(groessteAbweichung, 8) << breite;
    }
}

TEST(Zeichnen, NotDrawableKeepsThePreviousPicture) {
    QImage bild(10, 10, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::red);
    TEingabeStatus s = Status(CI_Eingegeben, CI_Eingegeben, CI_Ergebnis);
    s[VgG] = CI_EingMoeglich;
    EXPECT_FALSE(ZeichneDreieck(bild, 364, 442, Beispiel(), s, {}));
    TWerte w = Beispiel();
    w[VeG] = std::nanf("");
    EXPECT_FALSE(
        ZeichneDreieck(bild, 364, 442, w, Status(CI_Eingegeben, CI_Eingegeben, CI_Ergebnis), {}));
    EXPECT_EQ(bild.size(), QSize(10, 10));
    EXPECT_EQ(bild.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(Zeichnen, PngAsTheWindowDrawsIt) {
    char muster[] = "/tmp/velorin-png-XXXXXX";
    ASSERT_NE(::mkdtemp(muster), nullptr);
    const std::string ordner = muster;
    const std::string ini = ordner + "/Navolet.ini";
    std::ofstream(ini) << "[StatusColors]\nCI_Eingegeben=255\nLinienbreiteVektoren=4\n";
    const auto status = Status(CI_Eingegeben, CI_Ergebnis, CI_Ergebnis);
    std::string fehler;

    const std::string png = ordner + "/dreieck.png";
    ASSERT_TRUE(DreieckAlsPng(Beispiel(), status, 364, 442, ini, png, fehler)) << fehler;
    QImage gelesen(QString::fromStdString(png));
    ASSERT_EQ(gelesen.size(), QSize(364, 442));
    QImage erwartet;
    TDarstellung d;
    d.StatusColors[CI_Eingegeben] = 255;
    d.LinienBreiteVektoren = 4;
    ASSERT_TRUE(ZeichneDreieck(erwartet, 364, 442, Beispiel(), status, d));
    EXPECT_EQ(gelesen.convertToFormat(QImage::Format_RGB32),
              erwartet.convertToFormat(QImage::Format_RGB32));

    // Not drawable, a size out of range, a folder that is not there: no file, a message.
    TEingabeStatus offen = status;
    offen[VwR] = CI_EingMoeglich;
    const std::string nichts = ordner + "/nichts.png";
    const struct {
        TEingabeStatus status;
        int breite, hoehe;
        std::string pfad;
        const char* meldung;
    } faelle[] = {
        {offen, 364, 442, nichts, "Das Winddreieck kann nicht gezeichnet werden"},
        {status, 0, 442, nichts, "Ungültige Bildgröße 0x442"},
        {status, 364, 100000, nichts, "Ungültige Bildgröße 364x100000"},
        {status, 364, 442, ordner + "/fehlt/x.png", "kann nicht geschrieben werden"},
    };
    for (const auto& f : faelle) {
        fehler.clear();
        EXPECT_FALSE(DreieckAlsPng(Beispiel(), f.status, f.breite, f.hoehe, "", f.pfad, fehler));
        EXPECT_NE(fehler.find(f.meldung), std::string::npos) << fehler;
        struct stat st {};
        EXPECT_NE(::stat(f.pfad.c_str(), &st), 0) << f.pfad;
    }
    ASSERT_EQ(std::system(("rm -rf '" + ordner + "'").c_str()), 0);
}

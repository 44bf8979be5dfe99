#include "DreieckGeometrie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace velorin;

namespace {

TWerte Werte(float veR, float veG, float vwR, float vwG) {
    TWerte w{};
    w[VeR] = veR;
    w[VeG] = veG;
    w[VwR] = vwR;
    w[VwG] = vwG;
    return w;
}

TEingabeStatus Zeichenbar() {
    TEingabeStatus s{};
    for (TFeldNamen f : {VeR, VeG, VwR, VwG})
        s[f] = CI_Eingegeben;
    s[VgR] = CI_Ergebnis;
    s[VgG] = CI_Ergebnis;
    return s;
}

void ErwarteSegment(const TSegment& s, double x1, double y1, double x2, double y2,
                    const char* name) {
    EXPECT_NEAR(s.X1, x1, 0.05) << name;
    EXPECT_NEAR(s.Y1, y1, 0.05) << name;
    EXPECT_NEAR(s.X2, x2, 0.05) << name;
    EXPECT_NEAR(s.Y2, y2, 0.05) << name;
}

int Boegen(const TDreieckBild& bild) {
    int n = 0;
    for (const TBildElement& e : bild.Elemente)
        n += e.IstBogen;
    return n;
}

bool AllesEndlichUndImBild(const TDreieckBild& bild, int breite, int hoehe) {
    for (const TBildElement& e : bild.Elemente) {
        TPolygon punkte = e.IstBogen ? e.Bogen.Pfeil : e.Flaeche;
        if (e.IstBogen) punkte.push_back(e.Bogen.Mitte);
        for (const TPunkt& p : punkte) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return false;
            if (!e.IstBogen && (p.X < -2 || p.Y < -2 || p.X > breite + 2 || p.Y > hoehe + 2))
                return false;
        }
    }
    return true;
}

} // namespace

TEST(Geometrie, ExampleAt364x442) {
    const TDreieckSegmente s = Einpassen(ModellSegmente(Werte(90, 100, 45, 20)), 364, 442);
    ErwarteSegment(s.Luft, 25.0, 245.9, 339.0, 245.9, "Luft");
    ErwarteSegment(s.Wind, 339.0, 245.9, 294.6, 290.3, "Wind");
    ErwarteSegment(s.Grund, 25.0, 245.9, 294.6, 290.3, "Grund");
    ErwarteSegment(s.Nord1, 25.0, 245.9, 25.0, 25.0, "Nord1");
    ErwarteSegment(s.Nord2, 339.0, 245.9, 339.0, 151.7, "Nord2");
    EXPECT_NEAR(s.Luft.Laenge() / 100, 3.14, 0.005); // pixels per knot
}

TEST(Geometrie, BerechneVektorTurnsClockwiseFromNorth) {
    const struct {
        double richtung;
        double x;
        double y;
    } faelle[] = {{0, 0, -10}, {90, 10, 0}, {180, 0, 10}, {270, -10, 0}, {-90, -10, 0}};
    for (const auto& f : faelle) {
        const TSegment s = BerechneVektor({1, 2}, 10, f.richtung);
        EXPECT_NEAR(s.X2 - 1, f.x, 1e-9) << f.richtung;
        EXPECT_NEAR(s.Y2 - 2, f.y, 1e-9) << f.richtung;
    }
}

TEST(Geometrie, PointsOnOneVerticalLineUseTheHeight) {
    // Heading 0 with the wind from 180, and all speeds 0.
    for (const TWerte& w : {Werte(0, 100, 180, 20), Werte(0, 0, 0, 0)}) {
        const TDreieckBild bild = DreieckBild(w, Zeichenbar(), {}, 364, 442);
        ASSERT_TRUE(bild.Gueltig);
        const TDreieckSegmente& s = bild.Segmente;
        EXPECT_DOUBLE_EQ(s.Nord1.X1, 182); // centred
        EXPECT_DOUBLE_EQ(s.Nord1.Y2, 25);
        // The lowest point touches the bottom margin.
        EXPECT_NEAR(std::max({s.Nord1.Y1, s.Luft.Y2, s.Wind.Y2}), 442 - 25, 1e-9);
        EXPECT_EQ(Boegen(bild), 0); // nothing points off north
        EXPECT_TRUE(AllesEndlichUndImBild(bild, 364, 442));
    }
    const TDreieckSegmente s = Einpassen(ModellSegmente(Werte(0, 100, 180, 20)), 364, 442);
    EXPECT_NEAR(s.Nord1.Y1 - s.Nord2.Y1, 392.0 / 130 * 100, 1e-9); // 130 kt from top to bottom
}

TEST(Geometrie, ZeroWindLeavesOutTheWindVectorAndArc) {
    const TDreieckBild bild = DreieckBild(Werte(90, 100, 45, 0), Zeichenbar(), {}, 364, 442);
    ASSERT_TRUE(bild.Gueltig);
    const TDreieckSegmente& s = bild.Segmente;
    EXPECT_EQ(s.Wind.Laenge(), 0);
    EXPECT_TRUE(VektorFlaechen(s.Wind, TVektorArt::Wind, 1).empty());
    EXPECT_DOUBLE_EQ(s.Grund.X2, s.Luft.X2);
    EXPECT_DOUBLE_EQ(s.Grund.Y2, s.Luft.Y2);
    EXPECT_DOUBLE_EQ(s.Nord2.X1, s.Luft.X2);
    EXPECT_FALSE(VektorFlaechen(s.Nord2, TVektorArt::Nord, 1).empty());
    EXPECT_EQ(Boegen(bild), 2); // heading and course, no wind arc
    // Air (1 shaft + 1 head), ground (1 + 2), north lines (2 x (1 + 1)), 2 arcs.
    EXPECT_EQ(bild.Elemente.size(), 2u + 3u + 4u + 2u);
}

TEST(Geometrie, HeadingNorthGetsNoHeadingArc) {
    const TDreieckBild bild = DreieckBild(Werte(0, 100, 90, 20), Zeichenbar(), {}, 364, 442);
    ASSERT_TRUE(bild.Gueltig);
    TBogen b;
    EXPECT_FALSE(Winkel(bild.Segmente.Nord1, bild.Segmente.Luft, 20, b));
    EXPECT_TRUE(Winkel(bild.Segmente.Nord1, bild.Segmente.Grund, 10, b));
    EXPECT_EQ(Boegen(bild), 2);
}

TEST(Geometrie, ArrowheadsFollowTheLineWidth) {
    const struct {
        double breite;
        double a;
    } faelle[] = {{1, 5}, {0, 5}, {-4, 5}, {4, 12}, {25, 75}};
    const TSegment s{10, 100, 10, 0}; // pointing north, 100 long
    for (const auto& f : faelle) {
        EXPECT_DOUBLE_EQ(PfeilHalbeBreite(f.breite), f.a);
        EXPECT_DOUBLE_EQ(PfeilLaenge(f.breite), 1.732 * f.a);
        const double h = 1.732 * f.a;
        TPolygon p;
        ASSERT_TRUE(Pfeil(s, h, f.a, 50, p));
        EXPECT_NEAR(p[0].Y, 50, 1e-9);     // tip 50 from the start
        EXPECT_NEAR(p[1].Y, 50 + h, 1e-9); // base h behind it
        EXPECT_NEAR(std::fabs(p[1].X - p[2].X), 2 * f.a, 1e-9);
    }
    // Widths 1 and 4 on a north line: the head ends the line, the shaft stops before it.
    for (double breite : {1.0, 4.0}) {
        const auto flaechen = VektorFlaechen(s, TVektorArt::Nord, breite);
        ASSERT_EQ(flaechen.size(), 2u);
        const double h = PfeilLaenge(breite);
        EXPECT_NEAR(flaechen[0][1].Y, h, 1e-9);
        EXPECT_NEAR(std::fabs(flaechen[0][0].X - flaechen[0][3].X), breite, 1e-9);
        EXPECT_NEAR(flaechen[1][0].Y, 0, 1e-9);
    }
    TPolygon p;
    EXPECT_FALSE(Pfeil({5, 5, 5, 5}, 8.66, 5, 3, p));
}

TEST(Geometrie, ArrowheadsInARowPerKind) {
    const TSegment s{0, 0, 100, 0};
    const double h = PfeilLaenge(1);
    const struct {
        TVektorArt art;
        std::vector<double> spitzen;
    } faelle[] = {
        {TVektorArt::Luft, {50 + h / 2}},
        {TVektorArt::Wind, {50 - h / 2, 50 + h / 2, 50 + 3 * h / 2}},
        {TVektorArt::Grund, {50 - h / 2, 50 + h / 2}},
    };
    for (const auto& f : faelle) {
        const auto flaechen = VektorFlaechen(s, f.art, 1);
        ASSERT_EQ(flaechen.size(), f.spitzen.size() + 1);
        EXPECT_NEAR(flaechen[0][1].X, 100, 1e-9); // the shaft reaches the tip
        for (std::size_t i = 0; i < f.spitzen.size(); ++i)
            EXPECT_NEAR(flaechen[i + 1][0].X, f.spitzen[i], 1e-9);
    }
}

TEST(Geometrie, ArcsRunClockwiseFromNorth) {
    const struct {
        double richtung;
        double spanne;
    } faelle[] = {{90, 90}, {270, 270}, {45, 45}, {359, 359}, {181, 181}};
    const TSegment nord{100, 100, 100, 60};
    for (const auto& f : faelle) {
        const TSegment v = BerechneVektor({100, 100}, 50, f.richtung);
        TBogen b;
        ASSERT_TRUE(Winkel(nord, v, 20, b)) << f.richtung;
        EXPECT_NEAR(b.Mitte.X, 100, 1e-9);
        EXPECT_NEAR(b.Mitte.Y, 100, 1e-9);
        EXPECT_NEAR(b.StartWinkel, -90, 1e-9);
        EXPECT_NEAR(b.Spanne, f.spanne, 1e-9) << f.richtung;
        EXPECT_NEAR(b.S.Y, 80, 1e-9);
        EXPECT_NEAR(std::hypot(b.E.X - 100, b.E.Y - 100), 20, 1e-9);
        // The arrowhead's tip is E and it points along the arc, clockwise.
        EXPECT_NEAR(b.Pfeil[0].X, b.E.X, 1e-9);
        EXPECT_NEAR(b.Pfeil[0].Y, b.E.Y, 1e-9);
        const double r = (f.richtung) * 3.14159265358979 / 180;
        const double bx = (b.Pfeil[1].X + b.Pfeil[2].X) / 2 - b.E.X;
        const double by = (b.Pfeil[1].Y + b.Pfeil[2].Y) / 2 - b.E.Y;
        EXPECT_NEAR(bx, -4 * std::cos(r), 1e-6); // base behind the tip, against the turn
        EXPECT_NEAR(by, -4 * std::sin(r), 1e-6);
    }
    TBogen b;
    EXPECT_FALSE(Winkel(nord, BerechneVektor({100, 100}, 50, 180), 10, b));
    EXPECT_FALSE(Winkel(nord, {100, 100, 100, 100}, 10, b));
}

TEST(Geometrie, ScaleIsTheSameAcrossAndDownAtEverySize) {
    for (auto [breite, hoehe] : {std::pair{364, 442}, {200, 200}, {1000, 150}, {3840, 2160}}) {
        TDreieckSegmente s = Einpassen(ModellSegmente(Werte(90, 100, 45, 20)), breite, hoehe);
        EXPECT_NEAR(s.Luft.Laenge() / s.Wind.Laenge(), 5, 1e-9) << breite << "x" << hoehe;
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const TSegment& seg : {s.Luft, s.Wind, s.Grund, s.Nord1, s.Nord2}) {
            minX = std::min({minX, seg.X1, seg.X2});
            maxX = std::max({maxX, seg.X1, seg.X2});
            minY = std::min({minY, seg.Y1, seg.Y2});
            maxY = std::max({maxY, seg.Y1, seg.Y2});
        }
        EXPECT_GE(std::min(minX, minY), 25 - 1e-9);
        EXPECT_LE(maxX, breite - 25 + 1e-9);
        EXPECT_LE(maxY, hoehe - 25 + 1e-9);
        // Fitted: it touches the margins across or down, and it is centred across.
        EXPECT_TRUE(std::fabs(maxX - (breite - 25)) < 1e-9 ||
                    std::fabs(maxY - (hoehe - 25)) < 1e-9);
        EXPECT_NEAR(minX - 25, breite - 25 - maxX, 1e-9);
    }
}

TEST(Geometrie, HostileValuesNeverGiveNaN) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const TWerte& w : {Werte(nan, 100, 45, 20), Werte(90, inf, 45, 20),
                            Werte(90, 100, inf, 20), Werte(90, 100, 45, -inf)}) {
        EXPECT_FALSE(DreieckBild(w, Zeichenbar(), {}, 364, 442).Gueltig);
    }
    TDarstellung breit;
    breit.LinienBreiteVektoren = std::numeric_limits<std::int32_t>::max();
    breit.LinienBreiteNord = std::numeric_limits<std::int32_t>::min();
    TEingabeStatus unsinn = Zeichenbar();
    unsinn[VeG] = static_cast<TEingStatus>(200);
    for (const TWerte& w :
         {Werte(90, 3e38f, 45, 1e-30f), Werte(-1e30f, -100, 1e30f, 20), Werte(90, 100, 45, 20)}) {
        for (auto [breite, hoehe] : {std::pair{1, 1}, {50, 50}, {0, 0}, {-5, 300}, {364, 442}}) {
            for (const TDarstellung& d : {TDarstellung{}, breit}) {
                const TDreieckBild bild = DreieckBild(w, unsinn, d, breite, hoehe);
                EXPECT_TRUE(bild.Gueltig);
                EXPECT_TRUE(AllesEndlichUndImBild(bild, breite, hoehe)) << breite;
            }
        }
    }
}

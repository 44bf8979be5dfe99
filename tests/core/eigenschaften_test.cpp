// Properties over many random triangles and random entry sequences.
#include "Normieren.h"
#include "Rechner.h"
#include "Regeln.h"
#include "Schritte.h"
#include "Textform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>

using namespace velorin;

namespace {

constexpr double Rad = 3.14159265358979323846 / 180.0;

// Every field of a consistent triangle, computed from heading, airspeed and wind.
TWerte Dreieck(std::mt19937& zufall) {
    std::uniform_real_distribution<float> richtung(0.0f, 360.0f), eigen(40.0f, 400.0f),
        wind(0.0f, 1.0f), winkel(-20.0f, 20.0f);
    TWerte w{};
    w[VeR] = Normiere360(richtung(zufall));
    w[VeG] = eigen(zufall);
    w[VwR] = Normiere360(richtung(zufall));
    w[VwG] = wind(zufall) * 0.9f * w[VeG];
    const double nach = (w[VwR] + 180.0) * Rad;
    const double x = w[VeG] * std::sin(w[VeR] * Rad) + w[VwG] * std::sin(nach);
    const double y = w[VeG] * std::cos(w[VeR] * Rad) + w[VwG] * std::cos(nach);
    w[VgR] = Normiere360(static_cast<float>(std::atan2(x, y) / Rad));
    w[VgG] = static_cast<float>(std::hypot(x, y));
    w[Abt] = Normiere180(w[VgR] - w[VeR]);
    w[Luv] = -w[Abt];
    const double a = (double(w[VwR]) - w[VgR]) * Rad;
    w[SW] = static_cast<float>(w[VwG] * std::sin(a));
    w[GW] = static_cast<float>(w[VwG] * std::cos(a));
    w[MW] = winkel(zufall);
    w[Dev] = winkel(zufall) / 4;
    w[DevU] = winkel(zufall) / 4;
    w[MwSK] = Normiere360(w[VeR] - w[MW]);
    w[KSK] = Normiere360(w[MwSK] - w[Dev]);
    w[KSKU] = Normiere360(w[VgR] + w[Abt] - w[MW] - w[DevU] + 180.0f);
    return w;
}

// Speeds by their difference; the wind direction by how far the wind vector's tip moves,
// since a light wind's direction is ill-conditioned; other angles by their difference.
double Abweichung(TFeldNamen f, float ist, const TWerte& wahr) {
    const float soll = wahr[f];
    if (FeldArt(f) == TFeldArt::Geschwindigkeit) return std::fabs(double(ist) - soll);
    double d = std::fmod(std::fabs(double(ist) - soll), 360.0);
    d = std::min(d, 360.0 - d);
    return f == VwR ? d * Rad * std::fabs(wahr[VwG]) : d;
}

} // namespace

// Each rule, fed from a consistent triangle, reproduces the triangle's other fields.
TEST(Eigenschaften, EveryRuleReproducesConsistentTriangles) {
    std::mt19937 zufall(20261211);
    int abgelehnt = 0;
    for (int n = 0; n < 3000; ++n) {
        const TWerte wahr = Dreieck(zufall);
        for (const TRegel& r : Regeln()) {
            TWerte w{};
            for (int f = 0; f < FeldAnzahl; ++f)
                if (r.NotwEingaben & (1u << f)) w[f] = wahr[f];
            if (!r.Proc(w)) {
                ++abgelehnt;
                continue;
            }
            for (int f = 0; f < FeldAnzahl; ++f) {
                if (!(r.Ausgaben & (1u << f))) continue;
                const auto feld = static_cast<TFeldNamen>(f);
                ASSERT_TRUE(std::isfinite(w[f]));
                // Speeds are up to 400 kt: allow for 32-bit rounding, well below 0.005.
                EXPECT_LT(Abweichung(feld, w[f], wahr), 0.002)
                    << r.Name << " " << FeldName(feld) << " triangle " << n;
            }
        }
    }
    // Only rules 9 and 12 may refuse, when the given speed is below the wind speed.
    EXPECT_LT(abgelehnt, 3000 * 2);
}

// Random steps of any kind never leave a non-number, and the texts always match the values.
TEST(Eigenschaften, RandomEntrySequencesStayConsistent) {
    std::mt19937 zufall(7);
    const char* texte[] = {"0",
                           "90",
                           "-90",
                           "100",
                           "20",
                           "45,5",
                           "359,999",
                           "-0,00001",
                           "5",
                           "1000000000",
                           "-3",
                           ",",
                           "180",
                           "270",
                           "12,34567",
                           "0,001",
                           "99999999999999999999999999999999999",
                           "-"};
    const char* einheiten[] = {"kt", "km/h", "MPH", "m/s"};
    std::uniform_int_distribution<int> feld(0, FeldAnzahl - 1), text(0, std::size(texte) - 1),
        einheit(0, 3), art(0, 9);
    for (int lauf = 0; lauf < 300; ++lauf) {
        TRechner r;
        std::ostringstream fehler;
        for (int schritt = 0; schritt < 40; ++schritt) {
            const auto f = static_cast<TFeldNamen>(feld(zufall));
            std::string arg = std::string(FeldName(f));
            const int a = art(zufall);
            if (a == 0)
                arg = "reset";
            else if (a == 1 && EinheitListe(f) >= 0)
                arg += std::string(":") + einheiten[einheit(zufall)];
            else if (a == 2)
                arg += "=";
            else if (a < 8)
                arg += std::string("=") + texte[text(zufall)];
            TSchritt s;
            std::string meldung;
            ASSERT_TRUE(SchrittLesen(arg, s, meldung));
            SchrittAusfuehren(r, s, fehler);
            for (int i = 0; i < FeldAnzahl; ++i) {
                const auto g = static_cast<TFeldNamen>(i);
                if (!IstBekannt(r.EingabeStatus()[g])) continue;
                ASSERT_TRUE(std::isfinite(r.Werte()[g])) << arg;
                if (r.Text(g) == "-") continue; // a rejected text stays for correction
                ASSERT_EQ(r.Text(g), r.Anzeigetext(g)) << arg;
                ASSERT_EQ(r.Text(g).find_first_not_of("-0123456789,"), std::string::npos);
            }
        }
    }
}

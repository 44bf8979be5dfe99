#include "Normieren.h"
#include "Regeln.h"
#include "Textform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace velorin;
using namespace velorin::regeln;

namespace {

std::string Text(TFeldNamen f, float v) {
    return FeldArt(f) == TFeldArt::Geschwindigkeit ? GeschwindigkeitAlsText(v)
                                                   : WinkelAlsText(3, 2, v);
}

struct Fall {
    const char* name;
    bool (*regel)(TWerte&);
    std::vector<std::pair<TFeldNamen, float>> ein;
    std::vector<std::pair<TFeldNamen, const char*>> aus; // expected texts
};

} // namespace

TEST(Regeln, WorkedTrianglesToDisplayPrecision) {
    const std::vector<Fall> faelle = {
        {"air vector and wind",
         BerechneVgRVgG,
         {{VeR, 90}, {VeG, 100}, {VwR, 45}, {VwG, 20}},
         {{VgR, "099,35"}, {VgG, "87,01"}}},
        {"northerly heading, westerly wind",
         BerechneVgRVgG,
         {{VeR, 0}, {VeG, 120}, {VwR, 270}, {VwG, 30}},
         {{VgR, "014,04"}, {VgG, "123,69"}}},
        {"course given",
         BerechneVeRVgG,
         {{VgR, 90}, {VeG, 100}, {VwR, 45}, {VwG, 20}},
         {{VeR, "081,87"}, {VgG, "84,85"}}},
        {"wind from air and ground vector",
         BerechneVwRVwG,
         {{VeR, 90}, {VeG, 100}, {VgR, 98.1f}, {VgG, 86.85f}},
         {{VwR, "048,88"}, {VwG, "18,61"}}},
        {"wind from components",
         BerechneVwRVwGFromSWGWVgR,
         {{SW, 10}, {GW, -10}, {VgR, 90}},
         {{VwR, "225,00"}, {VwG, "14,14"}}},
        {"components",
         BerechneSWGWFromVwRVwGVgR,
         {{VwR, 45}, {VwG, 20}, {VgR, 99.3493f}},
         {{SW, "-16,25"}, {GW, "11,66"}}},
        {"tailwind components",
         BerechneSWGWFromVwRVwGVgR,
         {{VwR, 270}, {VwG, 30}, {VgR, 14.0362f}},
         {{GW, "-7,28"}}},
        {"heading and ground speed",
         BerechneVgRVeG,
         {{VeR, 90}, {VwR, 45}, {VwG, 20}, {VgG, 87.0099f}},
         {{VeG, "100,00"}, {VgR, "099,35"}}},
        {"wind and ground vector",
         BerechneVeRVeG,
         {{VwR, 45}, {VwG, 20}, {VgR, 99.3493f}, {VgG, 87.0099f}},
         {{VeR, "090,00"}, {VeG, "100,00"}}},
        {"reverse compass heading",
         BerechneKSKUFromAbtVgRMWDevU,
         {{VgR, 90}, {Abt, 5}, {MW, 2}, {DevU, -1}},
         {{KSKU, "274,00"}}},
        {"drift from reverse",
         BerechneAbtFromKSKUVgRMWDevU,
         {{VgR, 90}, {KSKU, 274}, {MW, 2}, {DevU, -1}},
         {{Abt, "005,00"}}},
        {"course from reverse",
         BerechneVgRFromAbtKSKUMWDevU,
         {{Abt, 5}, {KSKU, 274}, {MW, 2}, {DevU, -1}},
         {{VgR, "090,00"}}},
        {"variation from reverse",
         BerechneMWFromAbtVgRKSKUDevU,
         {{VgR, 90}, {Abt, 5}, {KSKU, 274}, {DevU, -1}},
         {{MW, "002,00"}}},
        {"deviation from reverse",
         BerechneDevUFromAbtVgRMWKSKU,
         {{VgR, 90}, {Abt, 5}, {MW, 2}, {KSKU, 274}},
         {{DevU, "-001,00"}}},
        {"calm wind gives zero components",
         BerechneSWGWFromVwRVwGVgR,
         {{VwR, 123}, {VwG, 0}, {VgR, 10}},
         {{SW, "0,00"}, {GW, "0,00"}}},
        {"drift and correction angle", BerechneLuv, {{Abt, -180}}, {{Luv, "180,00"}}},
        {"heading from variation", BerechneVeRFromMWMwSK, {{MW, -5}, {MwSK, 2}}, {{VeR, "357,00"}}},
        {"compass heading", BerechneKSKFromDevMwSK, {{Dev, 3}, {MwSK, 1}}, {{KSK, "358,00"}}},
    };
    for (const Fall& f : faelle) {
        TWerte w{};
        for (const auto& [feld, wert] : f.ein)
            w[feld] = wert;
        ASSERT_TRUE(f.regel(w)) << f.name;
        for (const auto& [feld, text] : f.aus)
            EXPECT_EQ(Text(feld, w[feld]), text) << f.name << ": " << FeldName(feld);
    }
}

// Wind along the heading or course takes the collinear branch exactly, also for directions
// whose sum with 180 is not exact in 32-bit arithmetic.
TEST(Regeln, CollinearWindIsExact) {
    for (const float r : {90.0f, 150.54f, 0.0f, 359.99f}) {
        const float gegen = Normiere360(r + 180.0f);
        struct {
            float vwr;
            float vgg;
        } lagen[] = {{r, 80}, {gegen, 120}}; // from ahead, from behind
        for (const auto& l : lagen) {
            TWerte w{};
            w[VeR] = r, w[VeG] = 100, w[VwR] = l.vwr, w[VwG] = 20;
            ASSERT_TRUE(BerechneVgRVgG(w));
            EXPECT_EQ(w[VgR], r);
            EXPECT_FLOAT_EQ(w[VgG], l.vgg) << r;

            w = TWerte{};
            w[VgR] = r, w[VeG] = 100, w[VwR] = l.vwr, w[VwG] = 20;
            ASSERT_TRUE(BerechneVeRVgG(w));
            EXPECT_EQ(w[VeR], r);
            EXPECT_FLOAT_EQ(w[VgG], l.vgg) << r;

            w = TWerte{};
            w[VeR] = r, w[VwR] = l.vwr, w[VwG] = 20, w[VgG] = l.vgg;
            ASSERT_TRUE(BerechneVgRVeG(w));
            EXPECT_EQ(w[VgR], r);
            EXPECT_FLOAT_EQ(w[VeG], 100) << r;

            w = TWerte{};
            w[VwR] = l.vwr, w[VwG] = 20, w[VgR] = r, w[VgG] = l.vgg;
            ASSERT_TRUE(BerechneVeRVeG(w));
            EXPECT_EQ(w[VeR], r);
            EXPECT_FLOAT_EQ(w[VeG], 100) << r;
        }
    }
}

TEST(Regeln, GuardsReturnFalseAndLeaveTheValues) {
    struct {
        const char* name;
        bool (*regel)(TWerte&);
        std::vector<std::pair<TFeldNamen, float>> ein;
    } faelle[] = {
        {"both components zero", BerechneVwRVwGFromSWGWVgR, {{VgR, 90}}},
        {"speeds add up to zero", BerechneVgRVgG, {{VeR, 10}, {VwR, 80}}},
        {"no airspeed", BerechneVgRVgG, {{VeR, 10}, {VwR, 80}, {VwG, 20}}},
        {"no ground speed", BerechneVeRVeG, {{VwR, 80}, {VwG, 20}, {VgR, 10}}},
        {"no airspeed for the wind", BerechneVwRVwG, {{VeR, 10}, {VgR, 30}, {VgG, 20}}},
        {"ground speed below wind", BerechneVgRVeG, {{VeR, 10}, {VwR, 80}, {VwG, 20}, {VgG, 5}}},
        {"airspeed below wind", BerechneVeRVgG, {{VgR, 10}, {VwR, 80}, {VwG, 20}, {VeG, 5}}},
        {"zero ground speed", BerechneVgRVeG, {{VeR, 10}, {VwR, 80}}},
        {"negative wind beyond the arc sine",
         BerechneVgRVeG,
         {{VeR, 10}, {VwR, 80}, {VwG, -50}, {VgG, 20}}},
        {"negative wind beyond the arc sine",
         BerechneVeRVgG,
         {{VgR, 10}, {VwR, 80}, {VwG, -50}, {VeG, 20}}},
        {"infinite result", BerechneVgRVgG, {{VeR, 90}, {VeG, 3e38f}, {VwR, 270}, {VwG, 3e38f}}},
        {"infinite components", BerechneVwRVwGFromSWGWVgR, {{SW, 3e38f}, {GW, 3e38f}}},
    };
    for (const auto& f : faelle) {
        TWerte w{};
        for (const auto& [feld, wert] : f.ein)
            w[feld] = wert;
        const TWerte vorher = w;
        EXPECT_FALSE(f.regel(w)) << f.name;
        EXPECT_EQ(w, vorher) << f.name;
    }
}

TEST(Regeln, CourseOppositeHeadingGivesTheVectorRelation) {
    TWerte w{};
    w[VeR] = 30, w[VeG] = 100, w[VgR] = 210, w[VgG] = 20;
    ASSERT_TRUE(BerechneVwRVwG(w));
    EXPECT_EQ(w[VwR], 30);
    EXPECT_EQ(w[VwG], 120);
}

TEST(Regeln, DirectionHeldAs360CountsAsNorth) {
    // -0.00001 entered gives 360; a wind from there on a northerly heading is from ahead.
    TWerte w{};
    w[VeR] = 0, w[VeG] = 100, w[VwR] = Normiere360(-0.00001f), w[VwG] = 20;
    ASSERT_EQ(w[VwR], 360.0f);
    ASSERT_TRUE(BerechneVgRVgG(w));
    EXPECT_EQ(w[VgG], 80);
    w = TWerte{};
    w[VgR] = 0, w[VeG] = 100, w[VwR] = 360, w[VwG] = 20;
    ASSERT_TRUE(BerechneVeRVgG(w));
    EXPECT_EQ(w[VgG], 80);
    w = TWerte{};
    w[VgR] = 0, w[VgG] = 80, w[VwR] = 360, w[VwG] = 20;
    ASSERT_TRUE(BerechneVeRVeG(w));
    EXPECT_EQ(w[VeG], 100);
}

TEST(Normieren, RangesAndLimits) {
    EXPECT_EQ(Normiere360(720.5f), 0.5f);
    EXPECT_EQ(Normiere360(-720.5f), 359.5f);
    EXPECT_EQ(Normiere360(-0.00001f), 360.0f);
    EXPECT_EQ(Normiere360(360.0f), 0.0f);
    EXPECT_EQ(Normiere180(180.0f), -180.0f);
    EXPECT_EQ(Normiere180(-0.00001f), 0.0f);
    EXPECT_EQ(Normiere180(190.0f), -170.0f);
    // Large magnitudes, where a 32-bit step of 360 no longer changes the value, still end.
    for (const float v : {8589934592.0f, -8589934592.0f, 3e38f, -3e38f, 1e20f, 4e9f, -4e9f}) {
        const float r = Normiere360(v);
        EXPECT_TRUE(r >= 0.0f && r <= 360.0f) << v;
        const float h = Normiere180(v);
        EXPECT_TRUE(h >= -180.0f && h < 180.0f) << v;
    }
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(std::isnan(Normiere360(inf)));
    EXPECT_TRUE(std::isnan(Normiere180(-inf)));
    EXPECT_TRUE(std::isnan(Normiere360(std::numeric_limits<float>::quiet_NaN())));
}

// Below 2^27 the reduction must equal the plain loop of 32-bit steps exactly.
TEST(Normieren, EqualsTheStepwiseLoop) {
    auto schrittweise = [](float v) {
        while (v >= 360.0f)
            v -= 360.0f;
        while (v < 0.0f)
            v += 360.0f;
        return v;
    };
    for (const float v : {0.0f, 359.99997f, -1e-7f, -359.99997f, 12345.678f, -98765.43f,
                          1.0e7f + 0.5f, -3.3e7f, 1.2e8f, -1.3e8f, 5e-30f, -5e-30f})
        EXPECT_EQ(Normiere360(v), schrittweise(v)) << v;
}

#include "Normieren.h"

#include <cfloat>
#include <cmath>
#include <limits>

static_assert(FLT_EVAL_METHOD == 0, "float steps must round to 32 bits");

namespace velorin {

namespace {
// 2^27: below this every 32-bit step of +-360 is exact, so the loop equals fmod followed by at
// most one rounded addition. From 2^33 on a step no longer changes the value.
constexpr float ExaktGrenze = 134217728.0f;
constexpr float StillstandGrenze = 8589934592.0f;
// Up to here the loop itself is cheaper than fmod.
constexpr float SchleifenGrenze = 3600.0f;
} // namespace

float Normiere360(float wert) {
    if (!std::isfinite(wert)) return std::numeric_limits<float>::quiet_NaN();
    float v = wert; // float arithmetic is 32-bit here (SSE, FLT_EVAL_METHOD 0)
    const float betrag = std::fabs(wert);
    if (betrag >= StillstandGrenze || (betrag >= SchleifenGrenze && betrag < ExaktGrenze)) {
        // fmod is exact; what is left is at most one step of the loop below.
        const float rest = std::fmod(wert, 360.0f);
        v = (rest == 0.0f && wert != 0.0f) ? 0.0f : rest;
    }
    while (v >= 360.0f)
        v = v - 360.0f;
    while (v < 0.0f)
        v = v + 360.0f;
    return v;
}

float Normiere180(float wert) {
    float v = Normiere360(wert);
    if (v >= 180.0f) v = v - 360.0f;
    return v;
}

double Normiere360d(double wert) {
    if (!std::isfinite(wert)) return std::numeric_limits<double>::quiet_NaN();
    // The usual case is one step at most; the steps are exact there, as fmod is.
    double v = wert;
    if (v >= 720.0 || v < -360.0) v = std::fmod(v, 360.0);
    if (v >= 360.0) v -= 360.0;
    if (v < 0.0) v += 360.0;
    if (v >= 360.0) v -= 360.0;
    return v;
}

} // namespace velorin

#include "Regeln.h"

#include "Normieren.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace velorin {

namespace {

constexpr double GradZuRad = 3.14159265358979323846 / 180.0;

double Sin(double grad) {
    return std::sin(grad * GradZuRad);
}
double Cos(double grad) {
    return std::cos(grad * GradZuRad);
}
double ArcSin(double x) {
    return std::asin(x) / GradZuRad;
}
double ArcTan(double x) {
    return std::atan(x) / GradZuRad;
}
double ArcTan2(double y, double x) {
    return std::atan2(y, x) / GradZuRad;
}
double Cot(double grad) {
    return 1.0 / std::tan(grad * GradZuRad);
}
double Sgn(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// A normalised result is rounded to 32 bits first, then normalised as on entry.
float N360(double x) {
    return Normiere360(static_cast<float>(x));
}
float N180(double x) {
    return Normiere180(static_cast<float>(x));
}
float F(double x) {
    return static_cast<float>(x);
}

// Stores the outputs only when every one is a finite number, so that no field ever shows a
// NaN or an infinity.
bool Speichern(TWerte& e, std::initializer_list<std::pair<TFeldNamen, float>> ausgaben) {
    for (const auto& a : ausgaben)
        if (!std::isfinite(a.second)) return false;
    for (const auto& a : ausgaben)
        e[a.first] = a.second;
    return true;
}

// Direction the wind blows towards, reduced at double precision so that a wind along the
// heading or course is found exactly.
double WindNach(const TWerte& e) {
    return Normiere360d(static_cast<double>(e[VwR]) - 180.0);
}

// Law of tangents: sides p and q, angle gamma between them; alpha opposite p, beta opposite q.
void Tangentensatz(double p, double q, double gamma, double& alpha, double& beta) {
    const double h = 2.0 * ArcTan((p - q) / (p + q) * Cot(gamma / 2.0));
    const double sigma = 180.0 - gamma;
    alpha = (sigma + h) / 2.0;
    beta = (sigma - h) / 2.0;
}

} // namespace

namespace regeln {

bool BerechneLuv(TWerte& e) {
    return Speichern(e, {{Luv, -e[Abt]}});
}

bool BerechneAbt(TWerte& e) {
    return Speichern(e, {{Abt, -e[Luv]}});
}

bool BerechneAbtFromVgRVeR(TWerte& e) {
    return Speichern(e, {{Abt, N180(double(e[VgR]) - e[VeR])}});
}

bool BerechneVgRFromAbtVeR(TWerte& e) {
    return Speichern(e, {{VgR, N360(double(e[VeR]) + e[Abt])}});
}

bool BerechneVeRFromAbtVgR(TWerte& e) {
    return Speichern(e, {{VeR, N360(double(e[VgR]) - e[Abt])}});
}

bool BerechneSWGWFromVwRVwGVgR(TWerte& e) {
    // Unlike the angles derived from w, this one goes through the 32-bit normaliser.
    const double a = N360(double(e[VwR]) - e[VgR]);
    const double vwg = e[VwG];
    return Speichern(e, {{SW, F(vwg * Sin(a))}, {GW, F(vwg * Cos(a))}});
}

bool BerechneVwRVwGFromSWGWVgR(TWerte& e) {
    const double sw = e[SW], gw = e[GW];
    const double vwg = std::sqrt(sw * sw + gw * gw);
    if (vwg == 0.0) return false;
    return Speichern(e, {{VwG, F(vwg)}, {VwR, N360(double(e[VgR]) + ArcTan2(sw, gw))}});
}

// The collinear tests below look at the difference folded into [0, 360), so that a direction
// held as exactly 360 (the normaliser's answer for a tiny negative entry) counts as 0.

bool BerechneVgRVgG(TWerte& e) {
    const double ver = e[VeR], veg = e[VeG], vwg = e[VwG];
    if (veg + vwg == 0.0) return false;
    const double w = WindNach(e);
    const double delta = ver - w;
    const double gamma = 180.0 - std::fabs(delta);
    const double gefaltet = Normiere360d(delta);
    if (gefaltet == 0.0 || gefaltet == 180.0) {
        const bool vonVorn = gefaltet == 180.0;
        return Speichern(e, {{VgR, e[VeR]}, {VgG, F(vonVorn ? veg - vwg : veg + vwg)}});
    }
    if (veg == 0.0) return false;
    double alpha, beta;
    Tangentensatz(veg, vwg, gamma, alpha, beta);
    float vgr = F(ver - Sgn(delta) * beta);
    float vgg = F(veg * Sin(gamma) / Sin(alpha));
    if (vgg < 0.0f) {
        vgg = -vgg;
        vgr = N360(double(vgr) + 180.0);
    }
    return Speichern(e, {{VgR, vgr}, {VgG, vgg}});
}

bool BerechneVgRVeG(TWerte& e) {
    const double ver = e[VeR], vwg = e[VwG], vgg = e[VgG];
    const double w = WindNach(e);
    const double lambda = 180.0 - Normiere360d(w - ver);
    const double gamma = std::fabs(lambda);
    if (gamma == 0.0 || gamma == 180.0) {
        const bool vonVorn = gamma == 0.0;
        return Speichern(e, {{VgR, e[VeR]}, {VeG, F(vonVorn ? vgg + vwg : vgg - vwg)}});
    }
    double beta;
    if (vgg < vwg) {
        if (vwg * Sin(gamma) != vgg) return false;
        beta = 90.0;
    } else {
        if (vgg == 0.0) return false;
        const double x = vwg * Sin(gamma) / vgg;
        if (!(std::fabs(x) <= 1.0)) return false;
        beta = ArcSin(x);
    }
    const double alpha = 180.0 - (gamma + beta);
    return Speichern(
        e, {{VgR, N360(w - Sgn(lambda) * alpha)}, {VeG, F(vgg * Sin(alpha) / Sin(gamma))}});
}

bool BerechneVeRVeG(TWerte& e) {
    const double vwr = e[VwR], vwg = e[VwG], vgr = e[VgR], vgg = e[VgG];
    if (vgg + vwg == 0.0) return false;
    const double delta = vwr - vgr;
    const double gamma = 180.0 - std::fabs(delta);
    const double gefaltet = Normiere360d(delta);
    if (gefaltet == 0.0 || gefaltet == 180.0) {
        const bool vonVorn = gefaltet == 0.0;
        return Speichern(e, {{VeR, e[VgR]}, {VeG, F(vonVorn ? vgg + vwg : vgg - vwg)}});
    }
    if (vgg == 0.0) return false;
    double alpha, beta;
    Tangentensatz(vgg, vwg, gamma, alpha, beta);
    float ver = F(vgr + Sgn(delta) * beta);
    float veg = F(vgg * Sin(gamma) / Sin(alpha));
    if (veg < 0.0f) {
        veg = -veg;
        ver = N360(double(ver) + 180.0);
    }
    return Speichern(e, {{VeR, ver}, {VeG, veg}});
}

bool BerechneVwRVwG(TWerte& e) {
    const double ver = e[VeR], veg = e[VeG], vgr = e[VgR], vgg = e[VgG];
    if (veg + vgg == 0.0) return false;
    const double delta = ver - vgr;
    const double gamma = std::fabs(delta);
    const double gefaltet = Normiere360d(delta);
    if (gefaltet == 0.0) {
        return Speichern(
            e, {{VwG, F(std::fabs(veg - vgg))}, {VwR, veg > vgg ? e[VeR] : N360(ver + 180.0)}});
    }
    if (gefaltet == 180.0) {
        // Course opposite the heading: the wind blows from the heading with both speeds.
        return Speichern(e, {{VwG, F(veg + vgg)}, {VwR, N360(ver)}});
    }
    if (veg == 0.0) return false;
    double alpha, beta;
    Tangentensatz(veg, vgg, gamma, alpha, beta);
    return Speichern(
        e, {{VwR, N360(ver + Sgn(delta) * beta)}, {VwG, F(veg * Sin(gamma) / Sin(alpha))}});
}

bool BerechneVeRVgG(TWerte& e) {
    const double veg = e[VeG], vwg = e[VwG], vgr = e[VgR];
    const double w = WindNach(e);
    const double d = w - vgr;
    const double gamma = std::fabs(d);
    const double gefaltet = Normiere360d(d);
    if (gefaltet == 0.0 || gefaltet == 180.0) {
        const bool vonVorn = gefaltet == 180.0;
        return Speichern(e, {{VeR, e[VgR]}, {VgG, F(vonVorn ? veg - vwg : veg + vwg)}});
    }
    double beta;
    if (veg < vwg) {
        if (vwg * Sin(gamma) != veg) return false;
        beta = 90.0;
    } else {
        if (veg == 0.0) return false;
        const double x = vwg * Sin(gamma) / veg;
        if (!(std::fabs(x) <= 1.0)) return false;
        beta = ArcSin(x);
    }
    const double alpha = 180.0 - (gamma + beta);
    return Speichern(
        e, {{VeR, N360(w + Sgn(d) * alpha + 180.0)}, {VgG, F(veg * Sin(alpha) / Sin(gamma))}});
}

bool BerechneMWFromVeRMwSK(TWerte& e) {
    return Speichern(e, {{MW, N180(double(e[VeR]) - e[MwSK])}});
}

bool BerechneMwSKFromMWVeR(TWerte& e) {
    return Speichern(e, {{MwSK, N360(double(e[VeR]) - e[MW])}});
}

bool BerechneVeRFromMWMwSK(TWerte& e) {
    return Speichern(e, {{VeR, N360(double(e[MwSK]) + e[MW])}});
}

bool BerechneDevFromMwSKKSK(TWerte& e) {
    return Speichern(e, {{Dev, N180(double(e[MwSK]) - e[KSK])}});
}

bool BerechneMwSKFromDevKSK(TWerte& e) {
    return Speichern(e, {{MwSK, N360(double(e[KSK]) + e[Dev])}});
}

bool BerechneKSKFromDevMwSK(TWerte& e) {
    return Speichern(e, {{KSK, N360(double(e[MwSK]) - e[Dev])}});
}

bool BerechneKSKUFromAbtVgRMWDevU(TWerte& e) {
    return Speichern(e, {{KSKU, N360(double(e[VgR]) + e[Abt] - e[MW] - e[DevU] + 180.0)}});
}

bool BerechneAbtFromKSKUVgRMWDevU(TWerte& e) {
    return Speichern(e, {{Abt, N180(double(e[KSKU]) - e[VgR] + e[MW] + e[DevU] + 180.0)}});
}

bool BerechneVgRFromAbtKSKUMWDevU(TWerte& e) {
    return Speichern(e, {{VgR, N360(double(e[KSKU]) - e[Abt] + e[MW] + e[DevU] + 180.0)}});
}

bool BerechneMWFromAbtVgRKSKUDevU(TWerte& e) {
    return Speichern(e, {{MW, N180(double(e[VgR]) + e[Abt] - e[KSKU] - e[DevU] + 180.0)}});
}

bool BerechneDevUFromAbtVgRMWKSKU(TWerte& e) {
    return Speichern(e, {{DevU, N180(double(e[VgR]) + e[Abt] - e[MW] - e[KSKU] + 180.0)}});
}

} // namespace regeln

const std::array<TRegel, RegelAnzahl>& Regeln() {
    using namespace regeln;
#define VELORIN_REGEL(name, notw, aus)                                                             \
    TRegel {                                                                                       \
#name, &name, notw, aus                                                                    \
    }
    static const std::array<TRegel, RegelAnzahl> tabelle = {{
        VELORIN_REGEL(BerechneLuv, 0x0040, 0x0080),
        VELORIN_REGEL(BerechneAbt, 0x0080, 0x0040),
        VELORIN_REGEL(BerechneAbtFromVgRVeR, 0x0011, 0x0040),
        VELORIN_REGEL(BerechneVgRFromAbtVeR, 0x0041, 0x0010),
        VELORIN_REGEL(BerechneVeRFromAbtVgR, 0x0050, 0x0001),
        VELORIN_REGEL(BerechneSWGWFromVwRVwGVgR, 0x001C, 0x0300),
        VELORIN_REGEL(BerechneVwRVwGFromSWGWVgR, 0x0310, 0x000C),
        VELORIN_REGEL(BerechneVgRVgG, 0x000F, 0x0030),
        VELORIN_REGEL(BerechneVgRVeG, 0x002D, 0x0012),
        VELORIN_REGEL(BerechneVeRVeG, 0x003C, 0x0003),
        VELORIN_REGEL(BerechneVwRVwG, 0x0033, 0x000C),
        VELORIN_REGEL(BerechneVeRVgG, 0x001E, 0x0021),
        VELORIN_REGEL(BerechneMWFromVeRMwSK, 0x1001, 0x0400),
        VELORIN_REGEL(BerechneMwSKFromMWVeR, 0x0401, 0x1000),
        VELORIN_REGEL(BerechneVeRFromMWMwSK, 0x1400, 0x0001),
        VELORIN_REGEL(BerechneDevFromMwSKKSK, 0x3000, 0x0800),
        VELORIN_REGEL(BerechneMwSKFromDevKSK, 0x2800, 0x1000),
        VELORIN_REGEL(BerechneKSKFromDevMwSK, 0x1800, 0x2000),
        VELORIN_REGEL(BerechneKSKUFromAbtVgRMWDevU, 0x4450, 0x8000),
        VELORIN_REGEL(BerechneAbtFromKSKUVgRMWDevU, 0xC410, 0x0040),
        VELORIN_REGEL(BerechneVgRFromAbtKSKUMWDevU, 0xC440, 0x0010),
        VELORIN_REGEL(BerechneMWFromAbtVgRKSKUDevU, 0xC050, 0x0400),
        VELORIN_REGEL(BerechneDevUFromAbtVgRMWKSKU, 0x8450, 0x4000),
    }};
#undef VELORIN_REGEL
    return tabelle;
}

} // namespace velorin

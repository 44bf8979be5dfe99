#include "DreieckGeometrie.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velorin {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Grad = Pi / 180;
// Wider shafts are always filled as polygons (clipped to the image).
constexpr double MaxLinienBreite = 1024;

TPunkt Plus(TPunkt p, TPunkt q) {
    return {p.X + q.X, p.Y + q.Y};
}
TPunkt Mal(TPunkt p, double f) {
    return {p.X * f, p.Y * f};
}

std::array<TSegment*, 5> Alle(TDreieckSegmente& s) {
    return {&s.Luft, &s.Wind, &s.Grund, &s.Nord1, &s.Nord2};
}

bool Endlich(TDreieckSegmente s) {
    for (const TSegment* seg : Alle(s)) {
        if (!std::isfinite(seg->X1) || !std::isfinite(seg->Y1) || !std::isfinite(seg->X2) ||
            !std::isfinite(seg->Y2))
            return false;
    }
    return true;
}

// Unit vector from the segment's start to its end; false for length 0.
bool Richtung(const TSegment& s, TPunkt& u) {
    double l = s.Laenge();
    if (!(l > 0)) return false;
    u = {(s.X2 - s.X1) / l, (s.Y2 - s.Y1) / l};
    return true;
}

// Clips a convex polygon to an axis-parallel rectangle (Sutherland-Hodgman).
TPolygon Beschneiden(const TPolygon& polygon, double x0, double y0, double x1, double y1) {
    TPolygon ein = polygon;
    TPolygon aus;
    // Each edge of the rectangle as "inside" test and intersection with it.
    for (int kante = 0; kante < 4 && !ein.empty(); ++kante) {
        auto innen = [&](const TPunkt& p) {
            switch (kante) {
            case 0:
                return p.X >= x0;
            case 1:
                return p.X <= x1;
            case 2:
                return p.Y >= y0;
            default:
                return p.Y <= y1;
            }
        };
        auto schnitt = [&](const TPunkt& p, const TPunkt& q) {
            double t;
            if (kante < 2) {
                double x = kante == 0 ? x0 : x1;
                t = (x - p.X) / (q.X - p.X);
                return TPunkt{x, p.Y + t * (q.Y - p.Y)};
            }
            double y = kante == 2 ? y0 : y1;
            t = (y - p.Y) / (q.Y - p.Y);
            return TPunkt{p.X + t * (q.X - p.X), y};
        };
        aus.clear();
        for (std::size_t i = 0; i < ein.size(); ++i) {
            const TPunkt& p = ein[i];
            const TPunkt& q = ein[(i + 1) % ein.size()];
            bool pInnen = innen(p);
            bool qInnen = innen(q);
            if (pInnen) aus.push_back(p);
            if (pInnen != qInnen) aus.push_back(schnitt(p, q));
        }
        std::swap(ein, aus);
    }
    if (ein.size() < 3) ein.clear();
    return ein;
}

TColor StatusFarbe(const TDarstellung& d, const TEingabeStatus& status, TFeldNamen f) {
    unsigned s = status[f];
    return s < d.StatusColors.size() ? d.StatusColors[s] : 0;
}

} // namespace

double TSegment::Laenge() const {
    return std::hypot(X2 - X1, Y2 - Y1);
}

TSegment BerechneVektor(TPunkt start, double laenge, double richtung) {
    double r = richtung * Grad;
    return {start.X, start.Y, start.X + laenge * std::sin(r), start.Y - laenge * std::cos(r)};
}

TDreieckSegmente ModellSegmente(const TWerte& werte) {
    TDreieckSegmente s;
    const TPunkt o{0, 0};
    s.Luft = BerechneVektor(o, werte[VeG], werte[VeR]);
    // The wind is named after where it comes from; its vector points where it blows.
    s.Wind = BerechneVektor(s.Luft.Ende(), werte[VwG], static_cast<double>(werte[VwR]) + 180);
    s.Grund = {o.X, o.Y, s.Wind.X2, s.Wind.Y2};
    s.Nord1 = BerechneVektor(o, NordLaenge, 0);
    s.Nord2 = BerechneVektor(s.Luft.Ende(), NordLaenge, 0);
    return s;
}

TDreieckSegmente Einpassen(TDreieckSegmente s, int breite, int hoehe) {
    const auto alle = Alle(s);
    double minX = std::numeric_limits<double>::infinity();
    double minY = minX;
    double maxX = -minX;
    double maxY = -minX;
    for (const TSegment* seg : alle) {
        minX = std::min({minX, seg->X1, seg->X2});
        maxX = std::max({maxX, seg->X1, seg->X2});
        minY = std::min({minY, seg->Y1, seg->Y2});
        maxY = std::max({maxY, seg->Y1, seg->Y2});
    }
    const double xAusdehnung = maxX - minX;
    const double yAusdehnung = maxY - minY;
    const double platzX = breite - 2 * Rand;
    const double platzY = hoehe - 2 * Rand;
    double skala = 0;
    if (xAusdehnung > 0 && yAusdehnung > 0)
        skala = std::min(platzX / xAusdehnung, platzY / yAusdehnung);
    else if (yAusdehnung > 0)
        skala = platzY / yAusdehnung; // all on one vertical line
    else if (xAusdehnung > 0)
        skala = platzX / xAusdehnung;
    if (!(skala > 0)) skala = 0; // an image no larger than its margins
    const double dx = (platzX - xAusdehnung * skala) / 2 + Rand;
    const double dy = (platzY - yAusdehnung * skala) / 2 + Rand;
    for (TSegment* seg : alle) {
        seg->X1 = (seg->X1 - minX) * skala + dx;
        seg->X2 = (seg->X2 - minX) * skala + dx;
        seg->Y1 = (seg->Y1 - minY) * skala + dy;
        seg->Y2 = (seg->Y2 - minY) * skala + dy;
    }
    s.Nord1.Y2 = Rand;
    if (s.Nord2.Y1 - s.Nord2.Y2 < NordMinimum) s.Nord2.Y2 = s.Nord2.Y1 - NordMinimum;
    return s;
}

double PfeilHalbeBreite(double linienBreite) {
    return std::max(3 * linienBreite, 5.0);
}

double PfeilLaenge(double linienBreite) {
    return 1.732 * PfeilHalbeBreite(linienBreite);
}

bool Pfeil(const TSegment& s, double h, double a, double d, TPolygon& dreieck) {
    TPunkt u;
    if (!Richtung(s, u)) return false;
    const TPunkt p1 = s.Anfang();
    const TPunkt spitze = Plus(p1, Mal(u, d));
    const TPunkt basis = Plus(p1, Mal(u, d - h));
    const TPunkt quer{u.Y * a, -u.X * a};
    dreieck = {spitze, Plus(basis, quer), Plus(basis, Mal(quer, -1))};
    return true;
}

TSegment SchaftLinie(const TSegment& s, TVektorArt art, double linienBreite) {
    TPunkt u;
    // A north line's arrowhead sits on its end, so its shaft stops short by one head.
    if (art != TVektorArt::Nord || !Richtung(s, u)) return s;
    const TPunkt fern = Plus(s.Ende(), Mal(u, -PfeilLaenge(linienBreite)));
    return {s.X1, s.Y1, fern.X, fern.Y};
}

std::vector<TPolygon> VektorFlaechen(const TSegment& s, TVektorArt art, double linienBreite) {
    std::vector<TPolygon> flaechen;
    TPunkt u;
    if (!Richtung(s, u)) return flaechen;
    const double l = s.Laenge();
    const double a = PfeilHalbeBreite(linienBreite);
    const double h = PfeilLaenge(linienBreite);
    const TPunkt n = Mal(TPunkt{-u.Y, u.X}, linienBreite / 2);
    const TPunkt p1 = s.Anfang();
    const TPunkt fern = SchaftLinie(s, art, linienBreite).Ende();
    flaechen.push_back({Plus(p1, n), Plus(fern, n), Plus(fern, Mal(n, -1)), Plus(p1, Mal(n, -1))});

    std::vector<double> spitzen;
    switch (art) {
    case TVektorArt::Luft:
        spitzen = {l / 2 + h / 2};
        break;
    case TVektorArt::Wind:
        spitzen = {l / 2 - h / 2, l / 2 + h / 2, l / 2 + 3 * h / 2};
        break;
    case TVektorArt::Grund:
        spitzen = {l / 2 - h / 2, l / 2 + h / 2};
        break;
    case TVektorArt::Nord:
        spitzen = {l};
        break;
    }
    for (double d : spitzen) {
        TPolygon dreieck;
        if (Pfeil(s, h, a, d, dreieck)) flaechen.push_back(std::move(dreieck));
    }
    return flaechen;
}

bool Winkel(const TSegment& nord, const TSegment& vektor, double radius, TBogen& bogen) {
    const double a1 = nord.Y2 - nord.Y1;
    const double b1 = nord.X1 - nord.X2;
    const double c1 = a1 * nord.X1 + b1 * nord.Y1;
    const double a2 = vektor.Y2 - vektor.Y1;
    const double b2 = vektor.X1 - vektor.X2;
    const double c2 = a2 * vektor.X1 + b2 * vektor.Y1;
    const double det = a1 * b2 - a2 * b1;
    if (!(std::fabs(det) >= 0.001)) // pointing straight north or south
        return false;
    TPunkt un;
    TPunkt uv;
    if (!Richtung(nord, un) || !Richtung(vektor, uv)) return false;
    bogen.Mitte = {(b2 * c1 - b1 * c2) / det, (a1 * c2 - a2 * c1) / det};
    bogen.Radius = radius;
    bogen.S = Plus(bogen.Mitte, Mal(un, radius));
    bogen.E = Plus(bogen.Mitte, Mal(uv, radius));
    bogen.StartWinkel = std::atan2(un.Y, un.X) / Grad;
    double spanne = std::fmod(std::atan2(uv.Y, uv.X) / Grad - bogen.StartWinkel + 720, 360);
    if (!(spanne > 0 && spanne < 360)) return false;
    bogen.Spanne = spanne;
    // The arrowhead points along the arc, clockwise, its tip on E.
    const TSegment zuE{bogen.E.X + 10 * uv.Y, bogen.E.Y - 10 * uv.X, bogen.E.X, bogen.E.Y};
    return Pfeil(zuE, 4, 2, 10, bogen.Pfeil);
}

TDreieckBild DreieckBild(const TWerte& werte, const TEingabeStatus& status,
                         const TDarstellung& darstellung, int breite, int hoehe) {
    TDreieckBild bild;
    const TDreieckSegmente modell = ModellSegmente(werte);
    if (!Endlich(modell)) return bild;
    bild.Segmente = Einpassen(modell, breite, hoehe);
    if (!Endlich(bild.Segmente)) return bild;
    bild.Gueltig = true;

    // Shapes may reach far beyond the image (a wide pen); only what can show is kept.
    const double x0 = -2;
    const double y0 = -2;
    const double x1 = breite + 2.0;
    const double y1 = hoehe + 2.0;
    auto innen = [&](TPunkt p) { return p.X >= x0 && p.X <= x1 && p.Y >= y0 && p.Y <= y1; };
    auto flaechen = [&](const TSegment& s, TVektorArt art, double linienBreite, TColor farbe) {
        const std::vector<TPolygon> polygone = VektorFlaechen(s, art, linienBreite);
        for (std::size_t i = 0; i < polygone.size(); ++i) {
            TBildElement e;
            e.Farbe = farbe;
            e.Flaeche = Beschneiden(polygone[i], x0, y0, x1, y1);
            if (e.Flaeche.empty()) continue;
            if (i == 0) {
                e.Linie = SchaftLinie(s, art, linienBreite);
                e.LinienBreite = std::fabs(linienBreite);
                e.AlsLinie = e.LinienBreite > 0 && e.LinienBreite <= MaxLinienBreite &&
                             innen(e.Linie.Anfang()) && innen(e.Linie.Ende());
            }
            bild.Elemente.push_back(std::move(e));
        }
    };
    auto bogen = [&](const TSegment& nord, const TSegment& vektor, double radius, TColor farbe) {
        TBildElement e;
        e.IstBogen = true;
        e.Farbe = farbe;
        if (Winkel(nord, vektor, radius, e.Bogen)) bild.Elemente.push_back(std::move(e));
    };

    const TDreieckSegmente& s = bild.Segmente;
    const double vektoren = darstellung.LinienBreiteVektoren;
    const double nord = darstellung.LinienBreiteNord;
    flaechen(s.Luft, TVektorArt::Luft, vektoren, StatusFarbe(darstellung, status, VeG));
    flaechen(s.Wind, TVektorArt::Wind, vektoren, StatusFarbe(darstellung, status, VwG));
    flaechen(s.Grund, TVektorArt::Grund, vektoren, StatusFarbe(darstellung, status, VgG));
    flaechen(s.Nord1, TVektorArt::Nord, nord, 0);
    flaechen(s.Nord2, TVektorArt::Nord, nord, 0);
    bogen(s.Nord1, s.Luft, RadiusSteuerkurs, StatusFarbe(darstellung, status, VeR));
    bogen(s.Nord1, s.Grund, RadiusKursUndWind, StatusFarbe(darstellung, status, VgR));
    bogen(s.Nord2, s.Wind, RadiusKursUndWind, StatusFarbe(darstellung, status, VwR));
    return bild;
}

} // namespace velorin

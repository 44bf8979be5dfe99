// Geometry of the wind-triangle picture, free of any toolkit: the five segments, their fit into
// the image, the shafts, arrowheads and arcs, and the whole picture as a list of shapes.
// Pixels: x to the right, y downwards; north is -y and directions turn clockwise.
#pragma once

#include "Darstellung.h"
#include "Typen.h"

#include <vector>

namespace velorin {

constexpr double Rand = 25;        // margin on every side, pixels
constexpr double NordLaenge = 30;  // north lines in the model, knots
constexpr double NordMinimum = 30; // north line at the junction, pixels at least
constexpr double RadiusSteuerkurs = 20;
constexpr double RadiusKursUndWind = 10;

struct TPunkt {
    double X = 0;
    double Y = 0;
};

struct TSegment {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;

    TPunkt Anfang() const { return {X1, Y1}; }
    TPunkt Ende() const { return {X2, Y2}; }
    double Laenge() const;
};

enum class TVektorArt { Luft = 0, Wind = 1, Grund = 2, Nord = 3 };

struct TDreieckSegmente {
    TSegment Luft;  // air vector, from the start point
    TSegment Wind;  // wind vector, from the tip of the air vector
    TSegment Grund; // ground vector, closing the triangle
    TSegment Nord1; // north line at the start point
    TSegment Nord2; // north line at the junction of air and wind vector
};

// Segment from start with the given length and direction (degrees clockwise from north).
TSegment BerechneVektor(TPunkt start, double laenge, double richtung);

// The five segments in model units (knots) from VeR, VeG, VwR and VwG.
TDreieckSegmente ModellSegmente(const TWerte& werte);

// Scales the model into breite x hoehe inside the margins, keeping its proportions, centres it
// and lengthens the north lines. When everything lies on one vertical line only the height
// decides the scale.
TDreieckSegmente Einpassen(TDreieckSegmente s, int breite, int hoehe);

using TPolygon = std::vector<TPunkt>;

// Half-width a and length h of the arrowheads of a line of width w.
double PfeilHalbeBreite(double linienBreite);
double PfeilLaenge(double linienBreite);

// Arrowhead on the segment's line with its tip at distance d from the start, length h and
// half-width a; false (and nothing) for a segment of length 0.
bool Pfeil(const TSegment& s, double h, double a, double d, TPolygon& dreieck);

// The centre line of a shaft: the segment itself, for a north line shortened by its arrowhead.
TSegment SchaftLinie(const TSegment& s, TVektorArt art, double linienBreite);

// Shaft and arrowheads of a vector or north line of the given width; empty for length 0.
// The shaft comes first.
std::vector<TPolygon> VektorFlaechen(const TSegment& s, TVektorArt art, double linienBreite);

// An arc from north line to vector, clockwise, with its arrowhead.
struct TBogen {
    TPunkt Mitte; // intersection of the two lines
    double Radius = 0;
    TPunkt S;               // on the north line
    TPunkt E;               // on the vector
    double StartWinkel = 0; // of S, degrees, 0 = +x, growing clockwise on the screen
    double Spanne = 0;      // clockwise from S to E, degrees in (0, 360)
    TPolygon Pfeil;
};

// False when there is no arc: a line of length 0, or the vector parallel to the north line.
bool Winkel(const TSegment& nord, const TSegment& vektor, double radius, TBogen& bogen);

// One shape of the picture, in drawing order.
struct TBildElement {
    bool IstBogen = false;
    TColor Farbe = 0; // 0x00BBGGRR
    TPolygon Flaeche; // filled, even-odd (IstBogen false)
    TBogen Bogen;     // stroked 1 pixel wide, then its arrowhead filled (IstBogen true)
    // A shaft lying within the image may instead be drawn as this line stroked with flat ends
    // at the given width: the same area, and far cheaper to fill when it is long and thin.
    bool AlsLinie = false;
    TSegment Linie;
    double LinienBreite = 0;
};

struct TDreieckBild {
    bool Gueltig = false; // false: the values give no finite picture
    TDreieckSegmente Segmente;
    std::vector<TBildElement> Elemente;
};

// The whole picture for an image of breite x hoehe. Polygons are clipped to just outside the
// image, so whatever the widths, only small finite coordinates come out.
TDreieckBild DreieckBild(const TWerte& werte, const TEingabeStatus& status,
                         const TDarstellung& darstellung, int breite, int hoehe);

} // namespace velorin

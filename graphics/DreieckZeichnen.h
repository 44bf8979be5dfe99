// Rendering of the wind-triangle picture into a bitmap (QtGui only, works offscreen).
#pragma once

#include "Darstellung.h"
#include "DreieckGeometrie.h"
#include "Typen.h"

#include <QImage>

#include <string>

namespace velorin {

// Draws the picture into bild, which becomes breite x hoehe pixels, ARGB32 premultiplied,
// opaque white below the triangle. When the triangle is not drawable (a vector field unknown,
// or values that give no finite picture) nothing happens and the previous picture stays;
// the result is then false.
bool ZeichneDreieck(QImage& bild, int breite, int hoehe, const TWerte& werte,
                    const TEingabeStatus& status, const TDarstellung& darstellung);

// Paints prepared shapes onto white; bild must already have the picture's size.
void BildMalen(QImage& bild, const TDreieckBild& dreieck);

// The largest picture written to a file.
constexpr int PngGroesseMaximal = 16384;

// Draws the triangle as the window would at breite x hoehe, with the appearance values of the
// settings file iniPfad (the defaults when it is empty or lacks them), and writes it as PNG.
// False with a German message in fehler when the triangle is not drawable, the size is out of
// range or the file cannot be written; no file is created or changed then.
bool DreieckAlsPng(const TWerte& werte, const TEingabeStatus& status, int breite, int hoehe,
                   const std::string& iniPfad, const std::string& pngPfad, std::string& fehler);

} // namespace velorin

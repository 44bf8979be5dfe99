// The program's icon, drawn rather than decoded: the three vectors of the wind triangle in the
// status colours, with a north line, on a sky-blue tile (as data/icons/velorin.svg).
#pragma once

#include <QIcon>

namespace velorin {

QIcon Programmsymbol();

} // namespace velorin

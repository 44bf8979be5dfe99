// Angle normalisers into [0, 360) and [-180, 180), in 32-bit float arithmetic.
#pragma once

namespace velorin {

// Subtracts 360 while the value is at least 360, then adds 360 while it is below 0, each step
// rounded to 32 bits; so a tiny negative value comes out as exactly 360 (-0.00001 gives 360).
// Ends for every input: magnitudes of 2^33 and more are first reduced with fmod (a 32-bit
// step no longer changes them); NaN and the infinities give NaN.
float Normiere360(float wert);
// As Normiere360, then minus 360 when at least 180.
float Normiere180(float wert);

// The same reduction for intermediate angles held in double precision.
double Normiere360d(double wert);

} // namespace velorin

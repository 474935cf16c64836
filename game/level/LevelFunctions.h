#pragma once

// Small functions the board screen and its neighbours share: a duration as text and the angle
// of a vector (random floats come from the shell's randomFloat).

#include <cstdint>
#include <string>

// "MM:SS" under an hour, "H:MM:SS" from an hour on; the same in every time zone.
std::wstring formatTime(int32_t seconds);
// The angle of (x, y) in radians, in (-pi, pi]; the zero vector gives pi.
float getVectorAngle(float x, float y);

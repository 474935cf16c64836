#pragma once

// Small functions the board screen and its neighbours share: a duration as text, the angle of
// a vector, and a random float between two bounds drawn from the engine's generator.

#include <cstdint>
#include <string>

// "MM:SS" under an hour, "H:MM:SS" from an hour on; the same in every time zone.
std::wstring formatTime(int32_t seconds);
// The angle of (x, y) in radians, in (-pi, pi]; the zero vector gives pi.
float getVectorAngle(float x, float y);
// A value from min to max (either order) drawn with the engine's 15-bit generator.
float randomFloat(float min, float max);

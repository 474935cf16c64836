#pragma once

// Float wrappers of the C runtime's mathematics and the engine's approximate square roots.

namespace Engine {

float sinFloat(float x);
float cosFloat(float x);
float sqrtFloat(float x);
float fabsFloat(float x);
float fmodFloat(float x, float y);
// 1 when positive, -1 when negative, 0 otherwise (also for -0 and NaN).
float signOf(float x);

// Approximate 1/sqrt(x) with one refinement step; a few per cent off. Used to normalise vectors.
float fastInvSqrt(float x);
// Approximate 1/sqrt(x) with two refinement steps.
float approxInvSqrt(float x);
// x * approxInvSqrt(x).
float approxSqrt(float x);

} // namespace Engine

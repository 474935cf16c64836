#pragma once

// A float between low and high from the engine's 15-bit generator; a seed above 0 first
// restarts the generator with that seed cut to an integer.
float randomFloat(float low, float high, float seed = 0);

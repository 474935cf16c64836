#pragma once

// The easing equations every tween is shaped by: t elapsed, b start, c change, d duration.

enum eEasing {
    EASING_LINEAR = 0,
    EASING_SINE = 1,
    EASING_QUINT = 2,
    EASING_QUART = 3,
    EASING_QUAD = 4,
    EASING_EXPO = 5,
    EASING_ELASTIC = 6,
    EASING_CUBIC = 7,
    EASING_CIRC = 8,
    EASING_BOUNCE = 9,
    EASING_BACK = 10,
};

enum eEaseType {
    EASE_IN = 0,
    EASE_OUT = 1,
    EASE_IN_OUT = 2,
};

// An equation or type out of range gives the linear value.
float easeFunction(int equation, int easeType, float t, float b, float c, float d);

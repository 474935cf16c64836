#pragma once

// The engine's small value types for 2-D and 3-D geometry and colour, and the float helpers.

#include "engine/core/BitMask.h"
#include "engine/core/Color.h"
#include "engine/core/MathFunctions.h"
#include "engine/core/Matrix3.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Point.h"
#include "engine/core/Rect.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

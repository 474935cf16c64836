#pragma once

// The GLSL of the OpenGL render device: a vertex program that does the fixed-function work
// the engine uses (world and view-projection transforms, indexed vertex blending, per-vertex
// lighting with a material) and a fragment program for texture x diffuse and the alpha test.

namespace Platform {

extern const char* const FIXED_VERTEX_PROGRAM;
extern const char* const FRAGMENT_PROGRAM;

} // namespace Platform

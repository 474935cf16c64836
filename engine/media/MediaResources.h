#pragma once

// Tells the resource manager how to load the resource kinds of engine/media (textures, vertex
// shaders, sound samples, fonts, meshes and animations).

namespace Engine {

// Registers the loaders with the current resource manager; nothing when there is none. The
// texture factory calls it when it is created; a manager made later needs its own call.
void registerMediaResources();

} // namespace Engine

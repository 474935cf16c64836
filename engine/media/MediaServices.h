#pragma once

// Hands the application the factories of the media layer's services (input system, sound
// system), which the core cannot name. Called by the program before it creates the application.

namespace Engine {

void installMediaServices();

} // namespace Engine

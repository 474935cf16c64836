#pragma once

// Hands the application the factories of the media layer's services (graphics device, input
// system, sound system), so that it creates them in their place of the start-up order. Called by
// the program before it creates the application.

namespace Engine {

void registerMediaServices();

} // namespace Engine

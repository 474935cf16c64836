#pragma once

// What the window procedure needs of the sound system, which lives in the media layer above
// this one. The sound system derives from it.

#include "engine/core/Singleton.h"

namespace Engine {

class ISoundLink : public cSingleton<ISoundLink> {
public:
    ~ISoundLink() override = default;
    virtual void setPaused(bool paused) = 0;
};

inline ISoundLink* getSoundLink() {
    return ISoundLink::getInstance();
}

} // namespace Engine

#pragma once

// A panel that steps through a list of pictures over its animation time.

#include "engine/gui/Panel.h"

#include <vector>

namespace Engine {
class cTexture;
}

class cPictureSequence : public Engine::cPanel {
public:
    explicit cPictureSequence(Engine::cWidget* parent);
    ~cPictureSequence() override;

    void process() override;
    // The panel keys, then "Picture", "Picture1", "Picture2"... up to the first missing one.
    void loadXML(const Engine::IXmlNode* node) override;

    size_t getFrameCount() const { return m_frames.size(); }
    // The frame shown for an animation time.
    int frameAt(float seconds) const;

private:
    void releaseFrames();

    std::vector<Engine::cTexture*> m_frames;
};

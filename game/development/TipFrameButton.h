#pragma once

// A frame button that takes part in the tool-tips as a client but owns no tip of its own: the
// panel's scroll and return buttons. Showing or hiding only sets the client's flag.

#include "engine/gui/FrameButton.h"
#include "game/shell/TipClient.h"

class cTipFrameButton : public Engine::cFrameButton, public cTipClient {
public:
    explicit cTipFrameButton(Engine::cWidget* parent);

    // The frame-button keys, then the tip-client keys.
    void loadXML(const Engine::IXmlNode* node) override;

    void createTip() override {}
    void setShowing() override { m_showing = true; }
    void setHiding() override { m_showing = false; }
    Engine::cSprite* getControl() override { return this; }
};

#include "game/development/TipFrameButton.h"

using namespace Engine;

cTipFrameButton::cTipFrameButton(cWidget* parent) : cFrameButton(parent) {}

void cTipFrameButton::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    cTipClient::loadXML(node);
    // The client's keys drop a client without a "Tip"; this one takes part all the same.
    registerTip();
}

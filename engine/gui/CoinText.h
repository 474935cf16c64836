#pragma once

// An amount of money: a digit-grouped label with a coin picture beside it, whose frame 0 is
// its enabled look and frame 1 its disabled look.

#include "engine/gui/RotatedLabel.h"

namespace Engine {

class cPanel;

class cCoinText : public cRotatedLabel {
public:
    // Makes the coin as a child panel.
    explicit cCoinText(cWidget* parent);

    // The rotated label's keys, then the child element "Coin", whose position is relative to
    // the label. Throws "Can't find Coin" without it.
    void loadXML(const IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    cPanel* getCoin() const { return m_coin; }

protected:
    cPanel* m_coin;
};

} // namespace Engine

#pragma once

// The tool-tip of a bonus button: the bonus's description from the model's bonus record.

#include "game/shell/Tip.h"

class cBonusView;

class cBonusTip : public cTip {
public:
    // Reads "Meadow/View/BonusTip.xml"; the button's own "Tip" element follows through the client.
    explicit cBonusTip(Engine::cWidget* owner);
    ~cBonusTip() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void updateContent() override;

    void setBonusView(cBonusView* view) { m_owner = view; }
    Engine::cMultilineText* getDescriptionText() const { return m_descriptionText; }

private:
    Engine::cMultilineText* m_descriptionText;
};

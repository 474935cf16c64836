#pragma once

// The tool-tip of a building's upgrade on the map: the name of the unit's current upgrade and
// the piece it brings onto the board, with the pictures its layout gives. The unit it
// describes comes from the model.

#include "game/shell/Tip.h"

#include <string>

class cMeadowUnit;

class cGameObjectTip : public cTip {
public:
    // Loaded by its control's "Tip" element.
    explicit cGameObjectTip(Engine::cWidget* owner);
    ~cGameObjectTip() override;

    void loadXML(const Engine::IXmlNode* node) override;
    void updateContent() override;

    void setUnit(cMeadowUnit* unit) { m_owner = unit; }
    cMeadowUnit* getUnit() const { return static_cast<cMeadowUnit*>(m_owner); }
    Engine::cMultilineText* getCaptionText() const { return m_captionText; }
    Engine::cMultilineText* getProduceText() const { return m_produceText; }
    Engine::cMultilineText* getBonusText() const { return m_bonusText; }
    Engine::cPanel* getProduceIcon() const { return m_produceIcon; }
    Engine::cPanel* getProductIcon() const { return m_productIcon; }
    Engine::cPanel* getExchangeIcon() const { return m_exchangeIcon; }
    Engine::cPanel* getBonusIcon() const { return m_bonusIcon; }
    const std::wstring& getGiveBonusMessage() const { return m_giveBonusMsg; }

protected:
    Engine::cMultilineText* m_captionText;
    Engine::cMultilineText* m_produceText;
    Engine::cMultilineText* m_bonusText;
    Engine::cPanel* m_produceIcon;
    Engine::cPanel* m_productIcon;
    Engine::cPanel* m_exchangeIcon;
    Engine::cPanel* m_bonusIcon;
    std::wstring m_giveBonusMsg;
};

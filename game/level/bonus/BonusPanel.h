#pragma once

// The row of bonus buttons on the board screen, one per bonus the player owns (the best of
// each category), with the looks of the buttons by bonus type.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"
#include "engine/gui/Visual.h"

#include <map>
#include <string>
#include <vector>

class cBonusView;
class cMeadowModel;
class cMeadowView;
class IDevelopmentView;

class cBonusPanel : public Engine::cPanel {
public:
    // Reads "Meadow/View/BonusPanel.xml", then makes the buttons.
    cBonusPanel(cMeadowView* board, cMeadowModel* model, IDevelopmentView* owner);
    ~cBonusPanel() override;

    // The panel keys, "first_icon_pos", "icons_offset" and the "States" looks.
    void loadXML(const Engine::IXmlNode* node) override;

    const Engine::cVisual& getVisualState(const std::string& id) const;
    // Updates every button; while a bonus effect lives no visible button can be pressed.
    void refresh();
    cBonusView* findButtonByType(int type) const;

    const std::vector<cBonusView*>& getButtons() const { return m_buttons; }
    cBonusView* getChickenButton() const { return m_chickenButton; }
    cMeadowModel* getModel() const { return m_model; }

private:
    void createButtons();

    cMeadowModel* m_model;
    IDevelopmentView* m_owner;
    Engine::cVector2 m_firstIconPos;
    Engine::cVector2 m_iconsOffset;
    std::vector<cBonusView*> m_buttons;
    bool m_hasChickenButton = false;
    cBonusView* m_chickenButton = nullptr;
    std::map<std::string, Engine::cVisual> m_states;
};

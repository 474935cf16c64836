#pragma once

// The credits: the texts of "UI/Credits.xml" and a button back to the main menu.

#include "engine/core/Singleton.h"
#include "engine/gui/Background.h"

#include <vector>

namespace Engine {
class cButton;
class cLabel;
class cTextButton;
} // namespace Engine

class cCredits : public Engine::cBackground, public Engine::cSingleton<cCredits> {
public:
    // A second one throws "Object already exist.".
    cCredits();
    ~cCredits() override;

    // The layers, "ReturnButton", then one label per child of "Texts", in order.
    void loadXML(const Engine::IXmlNode* node) override;

    Engine::cTextButton* getReturnButton() const { return m_returnButton; }
    const std::vector<Engine::cLabel*>& getTexts() const { return m_texts; }

private:
    Engine::cTextButton* m_returnButton;
    std::vector<Engine::cLabel*> m_texts;
};

// The return button: the credits fade out and go, the main menu comes back.
void onCreditsReturn(Engine::cButton* button);

#include "game/shell/Credits.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/TextButton.h"
#include "game/shell/MainMenu.h"

using namespace Engine;

void onCreditsReturn(cButton* button) {
    button->getParent()->fadeOutAndDelete();
    if (cMainMenu* menu = getMainMenu())
        menu->comeBack();
}

cCredits::cCredits() : cBackground(nullptr), m_returnButton(new cTextButton(this)) {
    loadLayoutFile(*this, "UI/Credits.xml");
    m_returnButton->setClickCallback(onCreditsReturn);
}

cCredits::~cCredits() = default;

void cCredits::loadXML(const IXmlNode* node) {
    cBackground::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("ReturnButton", element))
        m_returnButton->loadXML(element);
    IXmlNode* texts = nullptr;
    if (!node->findNode("Texts", texts))
        return;
    // Children of one name keep their document order, so the layout names every line "Text".
    for (int i = 0; i < texts->getChildCount(); ++i) {
        IXmlNode* child = nullptr;
        if (!texts->getNodeAt(i, child))
            continue;
        auto* label = new cLabel(this);
        label->loadXML(child);
        m_texts.push_back(label);
    }
}

#include "game/level/bonus/BonusTip.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "game/level/bonus/BonusView.h"
#include "game/model/GameResource.h"

using namespace Engine;

cBonusTip::cBonusTip(cWidget* owner) : cTip(owner), m_descriptionText(new cMultilineText(this)) {
    updateAlsoOverDisabledControl();
    loadLayoutFile(*this, "Meadow/View/BonusTip.xml");
}

cBonusTip::~cBonusTip() = default;

void cBonusTip::loadXML(const IXmlNode* node) {
    cTip::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("DescriptionText", element))
        m_descriptionText->loadXML(element);
}

void cBonusTip::updateContent() {
    auto* view = static_cast<cBonusView*>(m_owner);
    if (!view || !view->getRecord())
        return;
    m_descriptionText->setText(view->getRecord()->description, true);
}

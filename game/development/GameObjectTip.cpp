#include "game/development/GameObjectTip.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/Strings.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/MultilineText.h"
#include "game/model/MeadowUnit.h"
#include "game/shell/PieceLooks.h"

using namespace Engine;

cGameObjectTip::cGameObjectTip(cWidget* owner)
    : cTip(owner), m_captionText(new cMultilineText(this)), m_produceText(new cMultilineText(this)),
      m_bonusText(new cMultilineText(this)), m_produceIcon(new cPanel(this)), m_productIcon(new cPanel(this)),
      m_exchangeIcon(new cPanel(this)), m_bonusIcon(new cPanel(this)) {}

cGameObjectTip::~cGameObjectTip() = default;

void cGameObjectTip::loadXML(const IXmlNode* node) {
    cTip::loadXML(node);
    const std::pair<const char*, cMultilineText*> texts[] = {
        {"CaptionText", m_captionText}, {"ProduceText", m_produceText}, {"BonusText", m_bonusText}};
    for (const auto& text : texts) {
        IXmlNode* element = nullptr;
        if (node->findNode(text.first, element))
            text.second->loadXML(element);
    }
    const std::pair<const char*, cPanel*> pictures[] = {{"ProduceIcon", m_produceIcon},
                                                        {"ProductIcon", m_productIcon},
                                                        {"ExchangeIcon", m_exchangeIcon},
                                                        {"BonusIcon", m_bonusIcon}};
    for (const auto& picture : pictures) {
        IXmlNode* element = nullptr;
        if (node->findNode(picture.first, element))
            picture.second->loadXML(element);
    }
    const std::wstring& message = node->getAttribute(L"GiveBonusMsg");
    if (!message.empty()) {
        cStrings* strings = getStrings();
        m_giveBonusMsg = strings ? std::wstring(strings->translate(message)) : message;
    }
}

// Every unit has its tip, the first one (the hen house) too.
void cGameObjectTip::updateContent() {
    cMeadowUnit* unit = getUnit();
    if (!unit)
        return;
    m_captionText->setText(unit->getName(), true);
    const int object = unit->getObjectType();
    if (object == -1) {
        m_produceText->hide();
        m_produceIcon->hide();
        return;
    }
    m_produceText->show();
    m_produceIcon->show();
    const cDocumentHold objects("Meadow/View/GameObjects.xml");
    const cVisual look = getPieceVisualState(object, objects.get());
    // Assigned every time: looks from one atlas share a texture, so comparing them would keep
    // the previous piece's picture.
    static_cast<cVisual&>(*m_produceIcon) = look;
    m_produceIcon->invalidate();
}

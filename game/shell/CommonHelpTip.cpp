#include "game/shell/CommonHelpTip.h"

#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "game/shell/TutorialManager.h"

using namespace Engine;

cCommonHelpTip::cCommonHelpTip()
    : cWidget(nullptr), m_image(new cPanel(this)), m_text(new cMultilineText(m_image)),
      m_okButton(new cTextButton(m_image)) {
    m_okButton->setClickCallback(onOkClicked);
}

cCommonHelpTip::~cCommonHelpTip() = default;

void cCommonHelpTip::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    IXmlNode* image = nullptr;
    if (!node->findNode("Image", image))
        return;
    m_image->loadXML(image);
    IXmlNode* element = nullptr;
    if (image->findNode("Text", element))
        m_text->loadXML(element);
    element = nullptr;
    if (image->findNode("OkButton", element))
        m_okButton->loadXML(element);
    m_textMultiplier = m_text->getMultiplier();
    m_textInterlinear = m_text->getInterlinear();
}

void cCommonHelpTip::loadFile(const std::string& path) {
    loadLayoutFile(*this, path);
}

void cCommonHelpTip::loadLayout() {
    loadFile("Meadow/View/Tutorial/CommonHelpTip.xml");
}

void cCommonHelpTip::place() {
    m_image->setPosition(m_position);
}

void cCommonHelpTip::setTextLook(float multiplier, float interlinear) {
    m_text->setMultiplier(multiplier == -1 ? m_textMultiplier : multiplier);
    m_text->setInterlinear(interlinear == -1 ? m_textInterlinear : interlinear);
}

void cCommonHelpTip::setText(const std::wstring& text) {
    m_text->setText(text, true);
}

void cCommonHelpTip::showTip(const std::wstring& text) {
    setText(text);
    place();
    hide();
    fadeIn();
}

void cCommonHelpTip::onOk() {
    if (isClosing())
        return;
    // Deleted once faded: a tip only hidden would stay behind for good.
    fadeOutAndDelete();
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->onTipClosed(this, true);
}

void cCommonHelpTip::close() {
    if (isClosing() || !isWidgetAlive(this))
        return;
    hide();
    if (cTutorialManager* tutorial = cTutorialManager::getInstance())
        tutorial->onTipClosed(this, true);
    deleteWidgetLater(this);
}

void cCommonHelpTip::onOkClicked(cButton* button) {
    for (cWidget* widget = button->getParent(); widget; widget = widget->getParent())
        if (auto* tip = dynamic_cast<cCommonHelpTip*>(widget)) {
            tip->onOk();
            return;
        }
}

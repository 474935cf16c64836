#include "engine/gui/CoinText.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"

namespace Engine {

cCoinText::cCoinText(cWidget* parent) : cRotatedLabel(parent), m_coin(new cPanel(this)) {}

void cCoinText::loadXML(const IXmlNode* node) {
    cRotatedLabel::loadXML(node);
    IXmlNode* coin = nullptr;
    if (!node->findNode("Coin", coin))
        throw "Can't find Coin";
    m_coin->loadXML(coin);
    m_coin->setPosition(m_coin->getPosition() + m_position);
}

void cCoinText::startProcessing() {
    cWidget::startProcessing();
    m_coin->setAnimFrame(0);
}

void cCoinText::stopProcessing() {
    cLabel::stopProcessing();
    m_coin->setAnimFrame(1);
    layoutLetters();
}

} // namespace Engine

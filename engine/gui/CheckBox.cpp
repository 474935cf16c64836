#include "engine/gui/CheckBox.h"

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"

namespace Engine {

cCheckBox::cCheckBox(cWidget* parent) : cFrameButton(parent), m_tick(new cPanel(this)) {}

void cCheckBox::process() {
    cFrameButton::process();
    // Processed means shown: the tick's visibility is then its own flag.
    if (isWidgetAlive(this) && isWidgetAlive(m_tick) && m_tick->isVisible() != m_checked)
        matchTick();
}

void cCheckBox::matchTick() {
    if (!isWidgetAlive(m_tick))
        return;
    if (m_checked)
        m_tick->show();
    else
        m_tick->hide();
}

void cCheckBox::loadXML(const IXmlNode* node) {
    cFrameButton::loadXML(node);
    IXmlNode* tick = nullptr;
    if (node->findNode("Tick", tick))
        m_tick->loadXML(tick);
    parseBool(m_checked, node->getAttribute(L"Checked"));
    matchTick();
}

void cCheckBox::unclicked() {
    if (isLocked())
        return;
    cFrameButton::unclicked();
    if (!isWidgetAlive(this))
        return;
    m_checked = !m_checked;
    if (m_changeCallback)
        m_changeCallback(this, m_checked);
}

} // namespace Engine

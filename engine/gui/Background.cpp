#include "engine/gui/Background.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/LayerFactories.h"
#include "engine/gui/Panel.h"

namespace Engine {

cBackground::cBackground(cWidget* parent) : cWidget(parent) {}

cBackground::~cBackground() {
    m_layers.clear();
}

void cBackground::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    static const char* const GROUPS[] = {"Background", "BackText", "BackMultitext", "BackPyro"};
    for (const char* group : GROUPS) {
        IXmlNode* elements = nullptr;
        if (!node->findNode(group, elements))
            continue;
        IXmlNode* element = nullptr;
        for (int i = 0; elements->getNodeAt(i, element); ++i) {
            cWidget* layer = nullptr;
            if (group == GROUPS[0]) {
                cPanel* panel = new cPanel(this);
                panel->loadXML(element);
                layer = panel;
            } else {
                layer = cLayerFactories::make(group, this, element);
            }
            m_layers.insert(layer);
        }
    }
}

void cBackground::removeChild(cWidget* child) {
    // A layer deleted on its own must not stay listed.
    m_layers.erase(child);
    cWidget::removeChild(child);
}

void cBackground::replaceChild(cWidget* child, cWidget* replacement) {
    if (replacement && m_layers.count(child))
        m_layers.insert(replacement);
    cWidget::replaceChild(child, replacement);
}

} // namespace Engine

#include "game/shell/Award.h"

#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"

#include <string>

using namespace Engine;

cAward::cAward(cWidget* parent, int32_t index) : cPanel(parent), m_index(index) {
    loadLayoutFile(*this, "Awards/Awards.xml");
    m_home = getPosition();
    setRenderType(getRenderType() | 0x20);
}

cAward::~cAward() = default;

void cAward::loadXML(const IXmlNode* root) {
    IXmlNode* awards = nullptr;
    if (!root->findNode("Awards", awards))
        throw "Awards is not found.";
    IXmlNode* entry = nullptr;
    if (!awards->getNodeAt(m_index, entry))
        throw std::string("cAward::loadXML(): award with index ") + std::to_string(m_index) + " was not found";
    entry->getValue("Congratulation", m_congratulation);
    entry->getValue("DescText", m_descText);
    IXmlNode* icon = nullptr;
    if (entry->findNode("Icon", icon))
        cPanel::loadXML(icon);
}

#include "game/level/vehicles/VehicleSlot.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "game/level/MeadowView.h"
#include "game/level/vehicles/IconText.h"
#include "game/level/vehicles/StateAnimation.h"
#include "game/model/VehicleModel.h"
#include "game/shell/SubstrateProgressBar.h"

#include <algorithm>
#include <string>

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/VehicleSlot.xml";

// The child number `index` of the element's child `name`, or none.
IXmlNode* variant(const IXmlNode* element, const char* name, int index) {
    IXmlNode* group = nullptr;
    IXmlNode* child = nullptr;
    if (element && element->findNode(name, group) && group->getNodeAt(index, child))
        return child;
    return nullptr;
}

int childCount(const IXmlNode* element, const char* name) {
    IXmlNode* group = nullptr;
    return element && element->findNode(name, group) ? group->getNodeCount() : 0;
}

} // namespace

cVehicleSlot::cVehicleSlot(cWidget* vehicleView, const cVehicleSlotRecord* slot, bool first, bool last, int colour,
                           cMeadowView* owner, bool editor)
    : cPanel(vehicleView), m_editor(editor), m_colour(colour), m_first(first), m_last(last), m_owner(owner),
      m_slot(slot) {
    m_slotText = new cIconText(this);
    m_progress = new cSubstrateProgressBar(this, false);
    m_completedIcon = new cPanel(this);
    loadLayoutFile(*this, LAYOUT);
}

cVehicleSlot::~cVehicleSlot() = default;

int cVehicleSlot::countColours(const IXmlNode* root) {
    IXmlNode* heads = nullptr;
    IXmlNode* trailers = nullptr;
    root->findNode("Heads", heads);
    root->findNode("Trailers", trailers);
    return std::min({childCount(heads, "Backs"), childCount(heads, "Doors"), childCount(trailers, "Backs"),
                     childCount(trailers, "Doors")});
}

void cVehicleSlot::loadXML(const IXmlNode* node) {
    IXmlNode* element = nullptr;
    node->findNode(m_first ? "Heads" : "Trailers", element);
    // The back first: setting the slot's depth moves its children by as much, so the parts loaded
    // after it keep the depths their layout gives.
    if (IXmlNode* back = variant(element, "Backs", m_colour))
        cPanel::loadXML(back);
    if (m_first) {
        m_driver = new cStateAnimation(this);
        IXmlNode* driver = nullptr;
        if (node->findNode("Driver", driver))
            m_driver->loadXML(driver);
        m_driver->setHold(true);
    }
    IXmlNode* child = nullptr;
    if (element && element->findNode("Slot", child))
        m_slotText->loadXML(child);
    if (element && element->findNode("Progress", child))
        m_progress->loadXML(child);
    if (element && element->findNode("CompletedIcon", child))
        m_completedIcon->loadXML(child);
    m_completedIcon->hide();
    if (m_last) {
        m_doors = new cPanel(this);
        if (IXmlNode* doors = variant(element, "Doors", m_colour))
            m_doors->loadXML(doors);
        m_doors->disable();
    }
}

void cVehicleSlot::updateSlot() {
    const int remaining = m_slot->needed - m_slot->loaded;
    if (remaining == 0) {
        m_completedIcon->show();
        m_slotText->hide();
        m_progress->hide();
        return;
    }
    if (m_owner)
        m_slotText->setIconVisual(m_editor ? m_owner->getVisualState("index" + std::to_string(m_slot->objectIndex))
                                           : m_owner->getLevelObjectState(m_slot->objectType));
    m_slotText->setText(wstringFromInt(remaining));
    m_progress->setValue(float(m_slot->loaded) / float(m_slot->needed) * 100.0f);
    m_progress->show();
}

void cVehicleSlot::openDoors() {
    if (m_driver) {
        m_driver->setHold(false);
        m_driver->setState(1);
    }
    if (m_doors) {
        m_doorsTime = m_doors->getAnimLength();
        m_doorsOpening = true;
    }
}

void cVehicleSlot::closeDoors() {
    if (m_driver)
        m_driver->setState(1);
    if (m_doors) {
        m_doorsTime = m_doors->getAnimLength();
        m_doorsOpening = false;
    }
}

void cVehicleSlot::process() {
    if (m_doorsTime <= 0 || !m_doors)
        return;
    const float dt = frameDelta();
    m_doorsTime -= dt;
    if (m_doorsTime <= 0) {
        m_doorsTime = 0;
        m_doors->setAnimPosition(m_doorsOpening ? m_doors->getAnimLength() : 0.0f);
        return;
    }
    m_doors->setAnimPosition(m_doors->getAnimPosition() + (m_doorsOpening ? dt : -dt));
}

float cVehicleSlot::getLoadDepth() const {
    return m_doors ? m_doors->getDepth() : getDepth();
}

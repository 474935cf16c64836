#include "game/level/editor/EditorVehicleView.h"

#include "engine/core/FrameManager.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/Panel.h"
#include "engine/media/InputSystem.h"
#include "game/level/editor/MeadowEditorView.h"
#include "game/model/VehicleModel.h"

using namespace Engine;

namespace {

const char* const LAYOUT = "Meadow/View/EditorVehicleView.xml";
const int KEY_LEFT_SHIFT = 42;
const int KEY_LEFT_CTRL = 29;

bool keyDown(int code) {
    cInputSystem* input = getInputSystem();
    return input && input->isKeyDown(code);
}

std::wstring widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

cEditorVehicleView::cEditorVehicleView(cWidget* parent, cVehicleModel* vehicle, bool editor)
    : cTextButton(parent), m_vehicle(vehicle), m_editor(editor) {
    m_moneyLabel = new cLabel(this);
    m_slotsLabel = new cLabel(this);
    if (getResourceManager())
        loadLayoutFile(*this, LAYOUT);
}

void cEditorVehicleView::loadXML(const IXmlNode* node) {
    cTextButton::loadXML(node);
    IXmlNode* child = nullptr;
    if (node->findNode("Selection", child)) {
        m_selection = new cPanel(this);
        m_selection->loadXML(child);
        m_selection->hide();
        m_selectionOffset = m_selection->getPosition();
    }
    if (node->findNode("Money", child)) {
        m_moneyLabel->loadXML(child);
        m_moneyOffset = m_moneyLabel->getPosition();
    }
    if (node->findNode("Slots", child)) {
        m_slotsLabel->loadXML(child);
        m_slotsOffset = m_slotsLabel->getPosition();
    }
    setPosition(getPosition());
}

void cEditorVehicleView::setPosition(const cVector2& position) {
    cTextButton::setPosition(position);
    // The parts' layout positions are offsets from the vehicle.
    if (m_selection)
        m_selection->setPosition(position + m_selectionOffset);
    if (m_moneyLabel)
        m_moneyLabel->setPosition(position + m_moneyOffset);
    if (m_slotsLabel)
        m_slotsLabel->setPosition(position + m_slotsOffset);
}

void cEditorVehicleView::update() {
    if (!m_vehicle)
        return;
    m_moneyLabel->setText(widen(std::to_string(m_vehicle->getMoney())) + (m_vehicle->hasBonus() ? L" +" : L""));
    std::string slots;
    for (const cVehicleSlotRecord& slot : m_vehicle->getSlots())
        slots += (slots.empty() ? "" : " ") + std::to_string(slot.objectIndex) + ":" + std::to_string(slot.needed);
    m_slotsLabel->setText(widen(slots));
}

void cEditorVehicleView::showSelection(bool shown) {
    if (!m_selection)
        throw cStringA("cVehicleView::showSelection(): selection object is 0");
    if (shown)
        m_selection->show();
    else
        m_selection->hide();
}

bool cEditorVehicleView::isSelectionShown() const {
    return m_selection && m_selection->isVisible();
}

cVector2 cEditorVehicleView::getSelectionSize() const {
    if (!m_selection)
        throw cStringA("cVehicleView::getSelectionSize(): selection object is 0");
    return m_selection->getSize();
}

void cEditorVehicleView::clickHook(cButton* button) {
    auto* view = static_cast<cEditorVehicleView*>(button);
    if (auto* editor = dynamic_cast<cMeadowEditorView*>(view->getParent()))
        editor->selectVehicleView(view, keyDown(KEY_LEFT_SHIFT), keyDown(KEY_LEFT_CTRL), false);
}

void cEditorVehicleView::listenToRightPress(bool listen) {
    m_rightPress.removeAll();
    if (listen)
        m_rightPress.addKey(INPUT_MOUSE_RIGHT_DOWN, rightPressHook, this);
}

void cEditorVehicleView::rightPressHook(void* user) {
    auto* view = static_cast<cEditorVehicleView*>(user);
    const IFrameManager* frames = getFrameManager();
    if (!frames || !view->isEditorView() || !view->isPointInside(*frames->getCursorPosition()))
        return;
    if (auto* editor = dynamic_cast<cMeadowEditorView*>(view->getParent()))
        editor->selectVehicleView(view, keyDown(KEY_LEFT_SHIFT), keyDown(KEY_LEFT_CTRL), true);
}

#pragma once

// One vehicle of the edited level beside the board: a button showing the truck, its money and
// the amounts its slots want by piece index, with a selection frame. Its layout is
// "Meadow/View/EditorVehicleView.xml".

#include "engine/gui/InputHooks.h"
#include "engine/gui/TextButton.h"
#include "game/model/VehicleViewLink.h"

namespace Engine {
class cLabel;
class cPanel;
} // namespace Engine
class cVehicleModel;

class cEditorVehicleView : public Engine::cTextButton, public IVehicleView {
public:
    cEditorVehicleView(Engine::cWidget* parent, cVehicleModel* vehicle, bool editor);

    void loadXML(const Engine::IXmlNode* node) override;

    cVehicleModel* getVehicle() override { return m_vehicle; }
    bool isEditorView() const { return m_editor; }
    // The texts follow the vehicle.
    void update();
    // Throws "cVehicleView::showSelection(): selection object is 0" without a "Selection".
    void showSelection(bool shown);
    Engine::cVector2 getSelectionSize() const;
    bool isSelectionShown() const;

    // The click (left) and the right press (INPUT_MOUSE_RIGHT_DOWN, user data the view) select
    // it in its editor, with the Shift and Ctrl keys as they are.
    static void clickHook(Engine::cButton* button);
    static void rightPressHook(void* user);
    // Registers or removes its right press; the view removes it when it goes.
    void listenToRightPress(bool listen);

    Engine::cLabel* getMoneyLabel() const { return m_moneyLabel; }
    Engine::cLabel* getSlotsLabel() const { return m_slotsLabel; }
    void setPosition(const Engine::cVector2& position) override;
    using Engine::cSprite::setPosition;

private:
    cVehicleModel* m_vehicle;
    bool m_editor;
    Engine::cPanel* m_selection = nullptr;
    Engine::cLabel* m_moneyLabel = nullptr;
    Engine::cLabel* m_slotsLabel = nullptr;
    Engine::cVector2 m_moneyOffset;
    Engine::cVector2 m_slotsOffset;
    Engine::cVector2 m_selectionOffset;
    Engine::cInputHooks m_rightPress;
};

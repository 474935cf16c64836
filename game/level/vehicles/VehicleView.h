#pragma once

// One delivery vehicle beside the board: a button-like sprite with its slots, a money label and
// a dust effect. It drives to the active position (accelerating to the middle of the way, then
// braking, and always ending exactly on the target), opens its doors, flies the pieces sent to it
// into the doors and hands them to the controller, and when full closes the doors, pays its money
// and drives off to delete itself. Layout: "Meadow/View/VehicleView.xml".

#include "engine/core/Vector2.h"
#include "engine/gui/TextureButton.h"
#include "game/model/VehicleViewLink.h"
#include "game/shell/TipClient.h"

#include <boost/signals2/connection.hpp>

#include <list>
#include <vector>

namespace Engine {
class cPanel;
class cPyroEffect;
class cSoundChannel;
} // namespace Engine
class cIconText;
class cMeadowObjectView;
class cMeadowView;
class cTweenSprite;
class cVehicleModel;
class cVehicleSlot;

class cVehicleView : public Engine::cTextureButton, public cTipClient, public IVehicleView {
public:
    // The board screen gives the looks and the controller.
    cVehicleView(Engine::cWidget* parent, cVehicleModel* vehicle, cMeadowView* owner, bool editor);
    ~cVehicleView() override;

    void process() override;
    // The button keys, then the children and attributes; "colors_number" above the colour
    // variants of "Meadow/View/VehicleSlot.xml" is refused.
    void loadXML(const Engine::IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    // cTipClient: the vehicle's tip shows the money it pays; no "Tip" element is read.
    void createTip() override;
    Engine::cSprite* getControl() override { return this; }

    // IVehicleView
    cVehicleModel* getVehicle() override { return m_vehicle; }

    virtual bool& getEditorFlag() { return m_editor; }
    virtual void setEditorFlag(const bool& editor) { m_editor = editor; }

    void update();
    // Starts the drive to (x, y); ignored while driving. A target closer than the smallest step
    // counts as reached at once.
    void move(float x, float y, float unused1 = 0, bool unused2 = false);
    void leave();
    void stop();
    void addArrivingObject(cMeadowObjectView* piece);
    Engine::cVector2 getFirstPoint() const;
    Engine::cVector2 getDoorsPoint() const;
    void openDoors();
    void closeDoors();
    void createSlots();
    void clearSlots();
    void setMoneyText(int money);
    void onObjectEntered(cMeadowObjectView* piece);
    // The level editor's right press (INPUT_MOUSE_RIGHT_DOWN, user data the view): over an editor
    // vehicle, its editor selects the vehicle with the Shift and Ctrl keys as they are.
    static void editorRightClickHook(void* user);
    void onEditorRightClick();

    bool isMoving() const { return m_moving; }
    bool isLeaving() const { return m_leaving; }
    const Engine::cVector2& getVelocity() const { return m_velocity; }
    const Engine::cVector2& getTarget() const { return m_target; }
    const Engine::cVector2& getMidpoint() const { return m_midpoint; }
    const Engine::cVector2& getAcceleration() const { return m_acceleration; }
    float getPathLength() const { return m_pathLength; }
    int getColorsNumber() const { return m_colorsNumber; }
    const std::vector<cVehicleSlot*>& getSlots() const { return m_slots; }
    const std::vector<Engine::cVector2>& getSlotOffsets() const { return m_slotOffsets; }
    cIconText* getMoney() const { return m_money; }
    Engine::cPanel* getSelection() const { return m_selection; }
    Engine::cPanel* getBonusIcon() const { return m_bonusIcon; }
    Engine::cPyroEffect* getDust() const { return m_dust; }
    cTweenSprite* getTweens() const { return m_tweens; }
    Engine::cSoundChannel* getEngineSound() const { return m_engineSound; }
    size_t getArrivingCount() const { return m_arriving.size(); }
    float getCameInDoorTime() const { return m_cameInDoorTime; }
    float getFlyObjSizePercent() const { return m_flyObjSizePercent; }
    float getLoadDeepDelta() const { return m_loadDeepDelta; }

private:
    void arrive();

    cVehicleModel* m_vehicle;
    cMeadowView* m_owner;
    cIconText* m_money = nullptr;
    Engine::cPanel* m_selection = nullptr;
    bool m_leaving = false;
    Engine::cVector2 m_acceleration;
    Engine::cVector2 m_velocity;
    Engine::cVector2 m_target;
    float m_pathLength = 0;
    bool m_moving = false;
    Engine::cVector2 m_midpoint;
    bool m_editor;
    std::list<cMeadowObjectView*> m_arriving;
    Engine::cSoundChannel* m_engineSound = nullptr;
    Engine::cPanel* m_bonusIcon = nullptr;
    std::vector<Engine::cVector2> m_slotOffsets;
    std::vector<cVehicleSlot*> m_slots;
    int m_colorsNumber = 0;
    Engine::cPyroEffect* m_dust = nullptr;
    boost::signals2::connection m_modelConnection;
    Engine::cVector2 m_firstPointOffset;
    Engine::cVector2 m_doorsPointOffset;
    cTweenSprite* m_tweens = nullptr;
    float m_cameInDoorTime = 0;
    float m_flyObjSizePercent = 0.5f;
    // How far below the doors a piece passes into the vehicle; vehicles laid out in a narrow depth
    // band (behind the board) need less than the default.
    float m_loadDeepDelta = 10.0f;
};

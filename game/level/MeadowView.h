#pragma once

// The board screen's layout and piece half: "Meadow/View/MeadowView.xml" (piece prototype, level
// background, money text, icon prototypes, match effects), the per-type piece prototypes made
// from "Meadow/View/GameObjects.xml", the piece views of the board, the named looks of the
// owner's "States" table, flying numbers and the money text. The screen base and the level flow
// join it with the shell's screens.

#include "engine/core/Vector2.h"
#include "engine/gui/Fader.h"
#include "engine/gui/Visual.h"

#include <map>
#include <string>
#include <vector>

namespace Engine {
class cLabel;
class cPanel;
class cPyroEffect;
class cTextButton;
} // namespace Engine
class cClouds;
class IVisualStates;
class cMeadowModel;
class cMeadowController;
class cMeadowFieldView;
class cMeadowObjectView;
class cMeadowObjectModel;

class cMeadowView : public Engine::cFader {
public:
    // Reads "Meadow/View/MeadowView.xml" through the resource manager. The owner gives the looks.
    cMeadowView(IVisualStates* owner, cMeadowModel* model, cMeadowController* controller, bool editor = false,
                bool noBackgroundEffects = false);
    ~cMeadowView() override;

    void loadXML(const Engine::IXmlNode* node) override;

    void createGameObjectsPrototypes();
    void createGameObjects();
    cMeadowObjectView* getGameObjectView(cMeadowObjectModel* piece);
    Engine::cVisual getLevelObjectState(int type) const;
    const Engine::cVisual& getVisualState(const std::string& id) const;
    // A new copy of the "MatchEffects" entry; the caller owns it.
    Engine::cPyroEffect* getCellCrushAnimation(int index) const;
    void showNextMove(const Engine::cVector2& first, const Engine::cVector2& second);
    void clearPrompts();
    void showFlyingNumber(const Engine::cVector2& position, int amount);
    void updateMoneyText();
    void hideInvalidObjectViews();
    void setObjectViewsEnabled(bool enabled);
    void showBonusObject(cMeadowObjectModel* piece);
    void shakeIdleObjects();

    Engine::cPanel* createVehicleIcon();
    Engine::cPanel* createGoldIcon();
    Engine::cPanel* createTriggerIcon();
    Engine::cPanel* createTriggerBaseIcon();

    // The level flow binds the field view of the level; until it lands the caller does.
    void setFieldView(cMeadowFieldView* field) { m_fieldView = field; }
    cMeadowFieldView* getFieldView() const { return m_fieldView; }
    cMeadowModel* getModel() const { return m_model; }
    cMeadowController* getController() const { return m_controller; }
    bool isEditorMode() const { return m_editorMode; }
    cMeadowObjectView* getObjectProto() const { return m_objectProto; }
    const std::map<int, cMeadowObjectView*>& getObjectPrototypes() const { return m_objectPrototypes; }
    const std::map<cMeadowObjectModel*, cMeadowObjectView*>& getObjectViews() const { return m_objectViews; }
    const std::vector<Engine::cPanel*>& getBackPictures() const { return m_backPictures; }
    size_t getMatchEffectCount() const { return m_matchEffects.size(); }
    Engine::cLabel* getMoneyText() const { return m_moneyText; }
    float getNewLevelDeltaTime() const { return m_newLevelDeltaTime; }
    float getEndLevelEffectTime() const { return m_endLevelEffectTime; }
    float getShowTime() const { return m_showTime; }
    float getHideTime() const { return m_hideTime; }
    Engine::cPyroEffect* getCurrentPrompt() const { return m_currentPrompt; }
    Engine::cPyroEffect* getPromptHoriz() const { return m_promptHoriz; }
    Engine::cPyroEffect* getPromptVert() const { return m_promptVert; }
    const std::vector<Engine::cPyroEffect*>& getBackPyro() const { return m_backPyro; }
    cClouds* getClouds() const { return m_clouds; }
    Engine::cTextButton* getEditButton() const { return m_editButton; }
    Engine::cTextButton* getGameMenuButton() const { return m_gameMenuButton; }

private:
    Engine::cPanel* copyIcon(Engine::cPanel* prototype);

    IVisualStates* m_owner;
    cMeadowModel* m_model;
    cMeadowController* m_controller;
    bool m_editorMode;
    bool m_noBackgroundEffects;
    cMeadowFieldView* m_fieldView = nullptr;
    cMeadowObjectView* m_objectProto = nullptr;
    std::map<int, cMeadowObjectView*> m_objectPrototypes;
    std::map<cMeadowObjectModel*, cMeadowObjectView*> m_objectViews;
    std::vector<Engine::cPanel*> m_backPictures;
    std::vector<Engine::cPyroEffect*> m_backPyro;
    cClouds* m_clouds = nullptr;
    std::vector<Engine::cPyroEffect*> m_matchEffects;
    Engine::cTextButton* m_editButton = nullptr;
    Engine::cTextButton* m_gameMenuButton = nullptr;
    Engine::cLabel* m_moneyText = nullptr;
    Engine::cPanel* m_vehicleIconProto = nullptr;
    Engine::cPanel* m_goldIconProto = nullptr;
    Engine::cPanel* m_triggerIconProto = nullptr;
    Engine::cPanel* m_triggerBaseIconProto = nullptr;
    Engine::cPyroEffect* m_promptHoriz = nullptr;
    Engine::cPyroEffect* m_promptVert = nullptr;
    Engine::cPyroEffect* m_currentPrompt = nullptr;
    bool m_hintTipPending = false;
    float m_newLevelDeltaTime = 0;
    float m_endLevelEffectTime = 0;
    Engine::cVector2 m_nextMoveArrowOffset;
    float m_showTime = 0;
    float m_hideTime = 0;
    int m_shownMoney = -1;
};

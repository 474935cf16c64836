#pragma once

// The board screen's layout and piece half: "Meadow/View/MeadowView.xml" (piece prototype, level
// background, money text, icon prototypes, match effects), the per-type piece prototypes made
// from "Meadow/View/GameObjects.xml", the piece views of the board, the named looks of the
// owner's "States" table, flying numbers and the money text. Its screen half, the level flow
// from the start of a level to the results and back to the owner, is MeadowViewLevel.cpp.

#include "engine/core/Vector2.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Visual.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/LevelView.h"
#include "game/shell/GroupFader.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"

#include <boost/signals2/connection.hpp>

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
class IVehiclePanel;
class cAchievementsView;
class cBonusPanel;
class cInfoPanel;
class cVehicleModel;
class cMeadowModel;
class cMeadowController;
class cMeadowFieldView;
class cMeadowObjectView;
class cMeadowObjectModel;

class cMeadowView : public cGroupFader, public cScreen, public ILevelView, public ILevelScreen, public IVisualStates {
public:
    // Reads "Meadow/View/MeadowView.xml" through the resource manager. The owner gives the looks;
    // an owner that is also an IBoardOwner gets the board back at the end of the level.
    cMeadowView(IVisualStates* owner, cMeadowModel* model, cMeadowController* controller, bool editor = false,
                bool noBackgroundEffects = false);
    ~cMeadowView() override;

    void loadXML(const Engine::IXmlNode* node) override;

    // ---- Screen and level flow (MeadowViewLevel.cpp) ----
    void process() override;
    void onUpdate() override;
    void onFadedIn() override;
    void readShowHideTimes(const Engine::IXmlNode* node) override { loadXML(node); }
    // The fader's times, read with the layout.
    float getShowTime() const override { return cGroupFader::getShowTime(); }
    float getHideTime() const override { return cGroupFader::getHideTime(); }
    void onScreenShown(cScreenSwitcher* switcher) override;
    void onScreenHidden(cScreenSwitcher* switcher) override;
    void onScreenCovered() override;

    virtual bool& getPlayTest() { return m_playTest; }
    void setPlayTest(bool playTest) override { m_playTest = playTest; }
    virtual bool& getNoBackgroundEffects() { return m_noBackgroundEffects; }
    virtual void setNoBackgroundEffects(const bool& value) { m_noBackgroundEffects = value; }
    // The field view, pieces and vehicle panel of the level; without controls the bonus panel
    // and the buttons of the first call are kept.
    void initLevel(bool withoutControls) override;
    virtual bool isEditorView() { return false; }
    void clearLevel() override;
    // Once: the screen goes to the deferred deletion.
    void close() override;
    bool isClosed() const { return m_closed; }

    // The map's level screen: the switcher fades this screen, the controller drives it.
    cScreen* getScreen() override { return this; }
    ILevelView* getLevelView() override { return m_closed ? nullptr : this; }
    void setShown(bool shown) override;
    void setEnabled(bool enabled) override;
    void fadeIn() override { cGroupFader::fadeIn(); }
    void startGroupFadeIn() override { startShow(); }

    // The level-view contract of the controller.
    void setInputLocked(bool locked) override;
    void refresh() override;
    void updateSelection() override;
    void showMatchedFigures(const tFigureList& figures, bool cascade) override;
    void animateExchange(IPieceView* first, IPieceView* second) override;
    void animateSwapBack(IPieceView* first, IPieceView* second) override;
    void crashCell(const Engine::cVector2& position, IBonusEffect* effect) override;
    void startObjectMotions() override;
    void showHint(const Engine::cVector2& first, const Engine::cVector2& second) override {
        showNextMove(first, second);
    }
    void hideHint() override { clearPrompts(); }
    void updateVehicles() override;
    bool isFieldBusy() override;
    void finishLevel() override;
    void resumeMusic() override;
    bool isShown() override { return isVisible(); }
    bool isEnabled() override { return cWidget::isEnabled(); }
    IBonusEffect* createBonusEffect(int bonusType) override;
    void deleteBonusEffect(IBonusEffect* effect) override;

    void startLevel(bool arrival) override;
    void lockVehiclePanel(bool locked) override;
    void showVehiclePanel(bool shown) override;
    void replayLevel();
    void replayFromResults();
    void continueFromResults();
    void switchToOwner() override;
    void onEndLevelEffectFinished();
    void onNoMoves();
    void startMixBonus();
    void onInstantBonusFinished();
    void startMixingAnimation();
    void addFlyingObject(cVehicleModel* vehicle, cMeadowObjectView* view);
    void updateInfoPanel();
    void hideControls();

    IBoardOwner* getBoardOwner() const { return m_boardOwner; }
    cBonusPanel* getBonusPanel() const { return m_bonusPanel; }
    IVehiclePanel* getVehiclePanel() const { return m_vehiclePanel; }
    cAchievementsView* getResultsView() const { return m_resultsView; }
    cInfoPanel* getInfoPanel() const { return m_infoPanel; }
    Engine::cTextButton* getEditButton() const { return m_editButton; }
    Engine::cTextButton* getGameMenuButton() const { return m_gameMenuButton; }
    IBonusEffect* getInstantBonus() const { return m_instantBonus; }
    bool isMixRunning() const { return m_instantBonus || m_builtInMix; }
    bool isPaused() const { return m_paused; }
    bool isRestartPending() const { return m_restartPending; }
    bool isLeavePending() const { return m_leavePending; }
    bool isEndEffectDone() const { return m_endEffectDone; }

    void createGameObjectsPrototypes();
    void createGameObjects();
    // The level-view contract's piece view, with its own type.
    cMeadowObjectView* getGameObjectView(cMeadowObjectModel* piece) override;
    Engine::cVisual getLevelObjectState(int type) const;
    // The owner's look of that name, for the board's parts.
    const Engine::cVisual& getVisualState(const std::string& id) const override;
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
    Engine::cPyroEffect* getCurrentPrompt() const { return m_currentPrompt; }
    bool isHintTipPending() const { return m_hintTipPending; }
    Engine::cPyroEffect* getPromptHoriz() const { return m_promptHoriz; }
    Engine::cPyroEffect* getPromptVert() const { return m_promptVert; }
    const std::vector<Engine::cPyroEffect*>& getBackPyro() const { return m_backPyro; }
    cClouds* getClouds() const { return m_clouds; }

private:
    Engine::cPanel* copyIcon(Engine::cPanel* prototype);
    static void onEscape(void* board);
    static void onGameMenuClicked(Engine::cButton* button);
    static void onEditClicked(Engine::cButton* button);
    void listenToEscape(bool listen);
    void connectModelSignals();
    bool isModalTipOpen() const;
    // Asks the tutorial for its move tip at the next-move prompt.
    void offerMoveTip();
    void startEndLevelEffect();

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
    int m_shownMoney = -1;

    IBoardOwner* m_boardOwner = nullptr;
    bool m_closed = false;
    cBonusPanel* m_bonusPanel = nullptr;
    IVehiclePanel* m_vehiclePanel = nullptr;
    bool m_playTest = false;
    cAchievementsView* m_resultsView = nullptr;
    bool m_paused = false;
    bool m_restartPending = false;
    bool m_endEffectDone = false;
    bool m_leavePending = false;
    boost::signals2::connection m_pointsEarnedConnection;
    boost::signals2::connection m_noMovesConnection;
    cInfoPanel* m_infoPanel = nullptr;
    IBonusEffect* m_instantBonus = nullptr;
    // The rearranging done here while the bonus effects are not there to do it.
    bool m_builtInMix = false;
    Engine::cInputHooks m_escapeHooks;
};

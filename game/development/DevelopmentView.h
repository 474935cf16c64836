#pragma once

// The map between levels: the buildings, the heroine and the cat, the money, the buttons, the
// interface slide and the butterflies; it owns the board model and its controller while it is open
// and runs the level flow: it starts levels on a board screen, takes their end back and keeps the
// player's interrupted level in a save file beside the profile.

#include "engine/core/Singleton.h"
#include "engine/core/Vector2.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Visual.h"
#include "game/development/BuildingScreen.h"
#include "game/development/UpgradeScreen.h"
#include "game/model/DevelopmentViewLink.h"
#include "game/shell/GroupFader.h"
#include "game/shell/LevelScreenLink.h"
#include "game/shell/Screen.h"
#include "game/shell/TutorialManager.h"

#include <boost/signals2/connection.hpp>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Engine {
class cButton;
class cFrameButton;
class cLabel;
class cPanel;
class cSoundChannel;
class cTextButton;
} // namespace Engine
class cActionQueue;
class cButterfly;
class cCatPersonModel;
class cCatPersonView;
class cMeadowModel;
class cParticleEmitter;
class cPersonageModel;
class cPersonageView;
class cPictureSequence;
class cUnitPreview;
class cUnitView;
class cUpgradeButtonsPanel;
class cYesNoFrame;
class IGameMenu;
class IMapMainMenu;
class IUpgradePanel;

class cDevelopmentView : public cGroupFader,
                         public cScreen,
                         public Engine::cSingleton<cDevelopmentView>,
                         public IBuildingScreen,
                         public IDevelopmentView,
                         public IUpgradeScreen,
                         public ITutorialOwner,
                         public IBoardOwner,
                         public IEditorOwner {
public:
    static constexpr const char* LAYOUT = "Meadow/View/DevelopmentView.xml";

    // Throws "Object already exist." for a second map. Reads its layout; hidden.
    cDevelopmentView(Engine::cWidget* parent, bool editorMode);
    // Saves a running level with its board.
    ~cDevelopmentView() override;

    // The neighbours the program registers; none of them is owned.
    static void setLevelScreenFactory(ILevelScreenFactory* factory);
    static ILevelScreenFactory* getLevelScreenFactory();
    void setMainMenu(IMapMainMenu* menu) { m_mainMenu = menu; }
    void setGameMenu(IGameMenu* menu) { m_gameMenu = menu; }

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;

    // Lifecycle.
    void open();
    void close();
    void lockInterface(bool locked) override;
    // The tutorial's modal tips hold the screen's input while no level screen exists.
    void lockInput(bool locked) override;
    void setLevelButtonsEnabled(bool enabled) override;
    void resumeMusic() override;
    cUnitView* getUnitView(cMeadowUnit* unit) const;
    void setUnitSkinShown(cMeadowUnit* unit, bool shown) override;
    bool createCatView(cMeadowUnit* unit) override;

    // Layout, money, looks, slide, dust.
    void updateMoneyText() override;
    const Engine::cVisual& getVisualState(const std::string& id) const override;
    void createLevelButtons();
    void hideInterface();
    void onSlideFinished();
    void onAnyInput();
    void showShowAllTip() override;
    cTip* createBuildingTip(Engine::cWidget* variant, cMeadowUnit* unit) override;
    void startUnitDust(const Engine::cVector2& position, float depth, float width, float heightOffset) override;
    void removeButterflies();
    void removeButterfly(cButterfly* butterfly);

    // Level flow.
    void playLevel(bool fromSave);
    void onScreenShown(cScreenSwitcher* switcher) override;
    void onScreenHidden(cScreenSwitcher* switcher) override;
    void onScreenCovered() override;
    void restartLevel() override;
    void startLevel(int32_t level) override;
    void openLevel(int32_t level);
    void goToMainMenu();
    void showGameMenu() override;
    void resumeGame();
    void backToMap();
    std::string getSaveFilePath() const;
    void saveGame(bool withBoard);
    void deleteSaveFile();
    void onNextLevelClicked();
    void onSavedLevelYes();
    void onSavedLevelNo();

    // IBoardOwner and IEditorOwner: the map as the owner of the level screens it opens.
    cScreen* getOwnerScreen() override { return this; }
    void onLevelCompleted(ILevelScreen* screen) override;
    bool isLevelEditorMode() override { return m_editorMode; }
    IDevelopmentView* getDevelopmentView() override { return this; }

    // IBuildingScreen
    Engine::cWidget* getWidget() override { return this; }
    bool isLevelScreenOpen() const override { return m_levelScreen != nullptr; }
    bool isLevelRunning() const override { return m_levelRunning; }
    bool isEditorMode() const override { return m_editorMode; }
    const Engine::cSprite* getShownTip() const override;
    void setUnitUpgrading(const bool& upgrading) override { m_unitUpgrading = upgrading; }
    cMeadowController* getController() const override { return m_controller; }

    // IUpgradeScreen: the upgrade panel's side of the map.
    cMeadowModel* getModel() const override { return m_model; }
    const Engine::cVisual& getUpgradeIcon(cMeadowUnit* unit, int32_t index) const override;
    IUpgradePreview* createPreview(std::unique_ptr<cMeadowUnit> copy) override;
    void releasePreview(IUpgradePreview* preview) override;
    float getVariantAlpha() const override { return m_variantAlpha; }
    bool areUpgradesAllowed() const override { return true; }
    bool isTipsEnabled() const override { return m_tipsEnabled; }
    void setTipsEnabled(bool enabled) override { m_tipsEnabled = enabled; }
    void setTutorialTipsShown(bool shown) override;
    void checkUpgradeHint(const Engine::cVector2& position) override;
    cTip* createUpgradeTip(Engine::cWidget* owner) override;
    void prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t level) override;

    // ITutorialOwner: the tutorial counts its delays only while the map has its board model.
    bool hasBoardModel() override { return m_model != nullptr; }
    bool isInterfaceActivated() override { return m_interfaceActivated; }

    // Accessors.
    virtual bool& getLevelRunning() { return m_levelRunning; }
    void setLevelRunning(bool running) override { m_levelRunning = running; }
    virtual float& getNextUpgradeAlpha() { return m_nextUpgradeAlpha; }
    virtual void setNextUpgradeAlpha(const float& alpha) { m_nextUpgradeAlpha = alpha; }
    virtual float& getClicksBufferTime() { return m_clicksBufferTime; }
    virtual void setClicksBufferTime(const float& time) { m_clicksBufferTime = time; }
    virtual int32_t& getMaxClicksNumber() { return m_maxClicksNumber; }
    virtual void setMaxClicksNumber(const int32_t& number) { m_maxClicksNumber = number; }
    virtual void setInterfaceActivated(const bool& activated) { m_interfaceActivated = activated; }
    virtual bool& isUnitUpgrading() { return m_unitUpgrading; }
    virtual bool& isNextLevelPressed() { return m_nextLevelPressed; }
    virtual void setNextLevelPressed(const bool& pressed) { m_nextLevelPressed = pressed; }
    virtual bool& isLowDetail() { return m_lowDetail; }
    virtual void setLowDetail(const bool& lowDetail) { m_lowDetail = lowDetail; }
    virtual bool& isTipsEnabled() { return m_tipsEnabled; }

    cUpgradeButtonsPanel* getUpgradePanel() const { return m_upgradeButtons; }
    ILevelScreen* getLevelScreen() const { return m_levelScreen; }
    const std::vector<cUnitView*>& getUnitViews() const { return m_unitViews; }
    Engine::cTextButton* getMainMenuButton() const { return m_mainMenuButton; }
    Engine::cTextButton* getNextLevelButton() const { return m_nextLevelButton; }
    Engine::cFrameButton* getShowAllButton() const { return m_showAllButton; }
    Engine::cLabel* getMoneyText() const { return m_moneyText; }
    Engine::cPanel* getFrame() const { return m_frame; }
    const std::vector<cPictureSequence*>& getWaves() const { return m_waves; }
    const std::vector<Engine::cPanel*>& getMovableInterfaces() const { return m_movableInterfaces; }
    const std::vector<Engine::cTextButton*>& getLevelButtons() const { return m_levelButtons; }
    const std::list<cButterfly*>& getButterflies() const { return m_butterflies; }
    static int getButterflyCount() { return s_butterflyCount; }
    const std::map<std::string, Engine::cVisual>& getVisualStates() const { return m_visualStates; }
    cPersonageModel* getPimbrelModel() const { return m_pimbrelModel; }
    cPersonageView* getPimbrelView() const { return m_pimbrelView; }
    cCatPersonModel* getCatModel() const { return m_catModel; }
    cCatPersonView* getCatView() const { return m_catView; }
    cYesNoFrame* getSavedLevelPrompt() const { return m_savedLevelPrompt; }
    cActionQueue* getSlideQueue() const { return m_slideQueue; }
    bool isInterfaceHidden() const { return m_interfaceHidden; }
    bool isInterfaceReturning() const { return m_interfaceReturning; }
    float getHideInterfaceTime() const { return m_hideInterfaceTime; }
    float getButterflyPossibility() const { return m_butterflyPossibility; }
    int getButterflyMaximum() const { return m_butterflyMaximum; }
    const std::wstring& getSavedLevelMessage() const { return m_savedLevelMessage; }
    cParticleEmitter* getUnitDustEffect() const { return m_unitDustEffect; }

private:
    friend class cButterfly;

    void createPimbrel();
    void destroyPimbrel();
    void destroyCat();
    void createCatModel();
    void createUnits();
    void removeUnitViews();
    void setUnitViewsEnabled(bool enabled);
    void startMusic();
    void closeLevel();
    int32_t getSavedLevelNumber();
    void setSaveAside();
    void placePimbrel(int32_t node);
    // Her place in "PimbrelNode", where the map puts her when it opens again.
    void storePimbrelNode();
    void unlockInterface();
    void setButtonsEnabled(bool enabled);
    void closePrompt();
    void createLevelScreen(bool playTest);
    // Asks the tutorial for the next-level hint while the map is idle.
    void checkNextLevelHint();
    // The tutorial no longer asks this map for anything.
    void releaseTutorial();

    static void onMainMenuClicked(Engine::cButton* button);
    static void onNextLevelButton(Engine::cButton* button);
    static void onShowAllClicked(Engine::cButton* button);
    static void onLevelButtonClicked(Engine::cButton* button);
    static void onAnyInputEvent(void* user);
    static void onPromptYes(cYesNoFrame* frame);
    static void onPromptNo(cYesNoFrame* frame);

    cMeadowModel* m_model = nullptr;
    cMeadowController* m_controller = nullptr;
    ILevelScreen* m_levelScreen = nullptr;
    std::map<std::string, Engine::cVisual> m_visualStates;
    std::vector<cUnitView*> m_unitViews;
    Engine::cTextButton* m_mainMenuButton;
    Engine::cTextButton* m_nextLevelButton;
    Engine::cLabel* m_moneyText;
    Engine::cPanel* m_frame;
    std::vector<cPictureSequence*> m_waves;
    std::vector<Engine::cTextButton*> m_levelButtons;
    Engine::cTextButton* m_levelButtonProto;
    Engine::cVector2 m_levelButtonsOrigin;
    Engine::cVector2 m_levelButtonsOffset;
    int32_t m_levelButtonsInRow = 0;
    bool m_editorMode;
    bool m_levelRunning = false;
    std::wstring m_savedLevelMessage;
    cPersonageModel* m_pimbrelModel = nullptr;
    cPersonageView* m_pimbrelView = nullptr;
    cCatPersonModel* m_catModel = nullptr;
    cCatPersonView* m_catView = nullptr;
    IGameMenu* m_gameMenu = nullptr;
    float m_nextUpgradeAlpha = 0.5f;
    float m_butterflyPossibility = 0;
    int32_t m_butterflyMaximum = 0;
    cParticleEmitter* m_unitDustEffect;
    float m_clicksBufferTime = 0;
    int32_t m_maxClicksNumber = 0;
    Engine::cSoundChannel* m_music = nullptr;
    std::list<cButterfly*> m_butterflies;
    IUpgradePanel* m_upgradePanel = nullptr;
    cUpgradeButtonsPanel* m_upgradeButtons = nullptr;
    // Hover previews the panel holds, and those it let go of (deleted on the next frame).
    std::vector<std::unique_ptr<cUnitPreview>> m_previews;
    std::vector<std::unique_ptr<cUnitPreview>> m_releasedPreviews;
    float m_variantAlpha = 1.0f;
    Engine::cFrameButton* m_showAllButton;
    cActionQueue* m_slideQueue;
    float m_hideInterfaceTime = 0;
    bool m_interfaceReturning = false;
    boost::signals2::connection m_slideFinishedConnection;
    std::vector<Engine::cPanel*> m_movableInterfaces;
    bool m_tipsEnabled = true;
    bool m_interfaceActivated = false;
    bool m_unitUpgrading = false;
    bool m_interfaceHidden = false;
    bool m_nextLevelPressed = false;
    bool m_lowDetail = false;
    // Any key or button brings the hidden interface back.
    Engine::cInputHooks m_anyInputHook;
    // The saved-level prompt while it is up.
    cYesNoFrame* m_savedLevelPrompt = nullptr;
    IMapMainMenu* m_mainMenu = nullptr;

    static inline int s_butterflyCount = 0;
};

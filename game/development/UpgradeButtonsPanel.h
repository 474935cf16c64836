#pragma once

// The row of upgrade buttons at the bottom of the development screen: every upgrade level of
// every building in display order, scrolled a button at a time; an upgrade with three looks
// slides the row away and spreads three variant buttons with a return button; a chosen offer
// opens the confirmation dialog that buys it.

#include "engine/core/Vector2.h"
#include "engine/gui/Panel.h"
#include "game/development/MapNeighbours.h"

#include <boost/signals2/connection.hpp>
#include <cstdint>
#include <utility>
#include <vector>

namespace Engine {
class cButton;
}
class cActionQueue;
class cConfirmVariantDlg;
class cMeadowModel;
class cMeadowUnit;
class cTipFrameButton;
class cTweenSprite;
class cUpgradeButton;
class cVariantsDlg;
class IUpgradePreview;
class IUpgradeScreen;
struct cUnitUpgrade;

class cUpgradeButtonsPanel : public Engine::cPanel, public IUpgradePanel {
public:
    static constexpr const char* LAYOUT = "Meadow/View/UpgradeButtonsPanel.xml";
    using tTarget = std::pair<cMeadowUnit*, const cUnitUpgrade*>;

    // A child of the screen's widget; builds its buttons and both variant dialogs.
    explicit cUpgradeButtonsPanel(IUpgradeScreen* screen);
    ~cUpgradeButtonsPanel() override;

    // The tutorial's hint over an affordable button, and the scroll tweens.
    void process() override;
    // The panel keys, "first_icon_pos", "icons_offset", "buttons_number", "scroll_time",
    // "move_down_time", "move_left_time", "move_right_time", "ScrollLeft", "ScrollRight",
    // "ReturnBtn".
    void loadXML(const Engine::IXmlNode* node) override;

    void setModel(cMeadowModel* model) override { m_model = model; }
    cMeadowModel* getModel() const { return m_model; }

    // Home position, first offer first, no building on any button, buttons usable.
    void resetScroll();
    // Lays the row out; reload takes the model's targets afresh.
    void updateButtons(bool reload) override;
    // Leaves the variants view at once.
    void closeVariants() override;
    void startShowVariantsEffect(cMeadowUnit* unit, IUpgradePreview* preview);
    // Asks the player to confirm the variant (-1: the single one) of the preview.
    void confirmVariant(IUpgradePreview* preview, int32_t index);
    // After the question: a preview when the player refused one of several variants.
    void onConfirmClosed(IUpgradePreview* preview);
    void setVariantButtonsEnabled(bool enabled);
    void fadeOutVariantsDlg();
    void playVariantsBack();

    void onScrollLeft();
    void onScrollRight();
    void onScrollTweenFinished();
    void onVariantsFinished();
    void onReturnClicked();

    // IUpgradePanel: the development screen's side of the panel.
    bool isScrolling() const override { return m_scrollState != 0; }
    void resetScrolling() override { resetScroll(); }
    void setShown(bool shown) override;
    void setEnabled(bool enabled) override;
    Engine::cSprite* getSlidingWidget() override { return this; }
    int32_t getScrollState() const { return m_scrollState; }
    int32_t getFirstIndex() const { return m_firstIndex; }
    int32_t getButtonsNumber() const { return m_buttonsNumber; }
    const std::vector<tTarget>& getTargets() const { return m_targets; }
    const std::vector<cUpgradeButton*>& getButtons() const { return m_buttons; }
    const std::vector<cUpgradeButton*>& getVariantButtons() const { return m_variantButtons; }
    cUpgradeButton* getSpareButton() const { return m_spareButton; }
    cUpgradeButton* getSelectedButton() const { return m_selectedButton; }
    cTipFrameButton* getScrollLeftButton() const { return m_scrollLeftButton; }
    cTipFrameButton* getScrollRightButton() const { return m_scrollRightButton; }
    cTipFrameButton* getReturnButton() const { return m_returnButton; }
    cConfirmVariantDlg* getConfirmDlg() const { return m_confirmDlg; }
    cVariantsDlg* getVariantsDlg() const { return m_variantsDlg; }
    cActionQueue* getActionQueue() const { return m_actionQueue; }
    IUpgradeScreen* getScreen() const { return m_screen; }
    bool isReturning() const { return m_returning; }
    const Engine::cVector2& getFirstIconPos() const { return m_firstIconPos; }
    const Engine::cVector2& getIconsOffset() const { return m_iconsOffset; }
    const Engine::cVector2& getHomePosition() const { return m_homePosition; }
    float getScrollTime() const { return m_scrollTime; }
    float getMoveDownTime() const { return m_moveDownTime; }
    float getMoveLeftTime() const { return m_moveLeftTime; }
    float getMoveRightTime() const { return m_moveRightTime; }

private:
    static void scrollLeftHook(Engine::cButton* button);
    static void scrollRightHook(Engine::cButton* button);
    static void returnHook(Engine::cButton* button);
    int32_t nextGroup() const;
    // The spare button takes the target and joins the row, then every button moves by step.
    void startScroll(int32_t target, const Engine::cVector2& place, bool atFront, const Engine::cVector2& step);

    cMeadowModel* m_model = nullptr;
    IUpgradeScreen* m_screen;
    Engine::cVector2 m_firstIconPos;
    Engine::cVector2 m_iconsOffset;
    std::vector<cUpgradeButton*> m_buttons;
    int32_t m_buttonsNumber = 0;
    int32_t m_firstIndex = 0;
    cTipFrameButton* m_scrollLeftButton;
    cTipFrameButton* m_scrollRightButton;
    std::vector<tTarget> m_targets;
    cTipFrameButton* m_returnButton;
    Engine::cVector2 m_firstIconOffset;
    Engine::cVector2 m_homePosition;
    cVariantsDlg* m_variantsDlg = nullptr;
    cConfirmVariantDlg* m_confirmDlg = nullptr;
    cUpgradeButton* m_spareButton = nullptr;
    int32_t m_scrollState = 0;
    float m_scrollTime = 0;
    cTweenSprite* m_tweenSprite;
    int32_t m_finishedTweens = 0;
    cActionQueue* m_actionQueue;
    float m_moveDownTime = 0;
    float m_moveLeftTime = 0;
    float m_moveRightTime = 0;
    boost::signals2::connection m_variantsFinishedConnection;
    bool m_connected = false;
    std::vector<cUpgradeButton*> m_variantButtons;
    bool m_returning = false;
    cUpgradeButton* m_selectedButton = nullptr;
};

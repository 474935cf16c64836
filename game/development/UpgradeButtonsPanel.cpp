#include "game/development/UpgradeButtonsPanel.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/media/GraphicsDevice.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/TipFrameButton.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeScreen.h"
#include "game/development/VariantsDlg.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/ActionQueue.h"
#include "game/shell/Easing.h"
#include "game/shell/TweenSprite.h"

#include <algorithm>
#include <string>

using namespace Engine;

namespace {

constexpr int32_t VARIANTS = 3;

float screenHeight() {
    IGraphicsDevice* graphics = getGraphicsDevice();
    return graphics ? float(graphics->getScreenHeight()) : 768.0f;
}

} // namespace

cUpgradeButtonsPanel::cUpgradeButtonsPanel(IUpgradeScreen* screen)
    : cPanel(screen->getWidget()), m_screen(screen), m_scrollLeftButton(new cTipFrameButton(this)),
      m_scrollRightButton(new cTipFrameButton(this)), m_returnButton(new cTipFrameButton(this)),
      m_tweenSprite(new cTweenSprite(this)), m_actionQueue(new cActionQueue(nullptr)) {
    m_spareButton = new cUpgradeButton(this, screen);
    m_spareButton->hide();
    loadLayoutFile(*this, LAYOUT);
    for (int32_t i = 0; i < m_buttonsNumber; ++i) {
        auto* button = new cUpgradeButton(this, screen);
        button->hide();
        m_buttons.push_back(button);
    }
    for (int32_t i = 0; i < VARIANTS; ++i) {
        auto* button = new cUpgradeButton(this, screen);
        button->hide();
        button->disable();
        // Stacked with the first on top while they spread, all above the shelf: a button spans
        // five depths with its icon, price, lock and tick.
        button->setDepth(button->getDepth() + float((VARIANTS - 1 - i) * 5));
        m_variantButtons.push_back(button);
    }
    m_scrollLeftButton->setClickCallback(scrollLeftHook);
    m_scrollRightButton->setClickCallback(scrollRightHook);
    m_returnButton->setClickCallback(returnHook);
    m_variantsDlg = new cVariantsDlg(this);
    m_confirmDlg = new cConfirmVariantDlg(this);
    m_confirmDlg->enable();
    m_scrollState = 0;
}

cUpgradeButtonsPanel::~cUpgradeButtonsPanel() {
    if (m_connected)
        m_variantsFinishedConnection.disconnect();
    m_connected = false;
    deleteWidgetLater(m_variantsDlg);
    // The confirmation dialog goes too: a panel made again makes its own.
    deleteWidgetLater(m_confirmDlg);
    deleteWidgetLater(m_actionQueue);
}

void cUpgradeButtonsPanel::loadXML(const IXmlNode* node) {
    cPanel::loadXML(node);
    m_homePosition = getPosition();
    cLayoutReader::readVector(node, L"first_icon_pos", m_firstIconPos);
    cLayoutReader::readVector(node, L"icons_offset", m_iconsOffset);
    parseLong(m_buttonsNumber, node->getAttribute(L"buttons_number"));
    m_buttonsNumber = std::max<int32_t>(m_buttonsNumber, 0);
    cLayoutReader::readFloat(node, L"scroll_time", m_scrollTime);
    cLayoutReader::readFloat(node, L"move_down_time", m_moveDownTime);
    cLayoutReader::readFloat(node, L"move_left_time", m_moveLeftTime);
    cLayoutReader::readFloat(node, L"move_right_time", m_moveRightTime);
    m_firstIconOffset = m_firstIconPos - getPosition();
    IXmlNode* child = nullptr;
    if (node->findNode("ScrollLeft", child) && child) {
        m_scrollLeftButton->loadXML(child);
        m_scrollLeftButton->enable();
    }
    child = nullptr;
    if (node->findNode("ScrollRight", child) && child) {
        m_scrollRightButton->loadXML(child);
        m_scrollRightButton->enable();
    }
    child = nullptr;
    if (node->findNode("ReturnBtn", child) && child) {
        m_returnButton->loadXML(child);
        m_returnButton->hide();
    }
}

void cUpgradeButtonsPanel::scrollLeftHook(cButton* button) {
    static_cast<cUpgradeButtonsPanel*>(button->getParent())->onScrollLeft();
}

void cUpgradeButtonsPanel::scrollRightHook(cButton* button) {
    static_cast<cUpgradeButtonsPanel*>(button->getParent())->onScrollRight();
}

void cUpgradeButtonsPanel::returnHook(cButton* button) {
    static_cast<cUpgradeButtonsPanel*>(button->getParent())->onReturnClicked();
}

int32_t cUpgradeButtonsPanel::nextGroup() const {
    return m_model ? m_model->getCurrentGroup() + 1 : 1;
}

void cUpgradeButtonsPanel::process() {
    if (m_model && !m_screen->isLevelScreenOpen()) {
        for (cUpgradeButton* button : m_buttons) {
            if (!button->isVisible() || !button->isEnabled() || button->getAlpha() <= 0.95f)
                continue;
            cMeadowUnit* unit = button->getUnit();
            if (unit && unit->hasNextUpgrade() && m_model->getResourcePoints(1) >= unit->getNextUpgrade().price &&
                m_screen->areUpgradesAllowed())
                m_screen->checkUpgradeHint(button->getPosition());
        }
    }
    if (m_scrollState != 0)
        m_tweenSprite->processTweens(frameDelta());
}

void cUpgradeButtonsPanel::resetScroll() {
    setPosition(m_homePosition);
    m_firstIndex = 0;
    for (cUpgradeButton* button : m_buttons) {
        button->dropPreview();
        button->setUnit(nullptr);
        button->enable();
    }
    m_scrollLeftButton->enable();
    m_scrollRightButton->enable();
}

void cUpgradeButtonsPanel::setShown(bool shown) {
    if (shown)
        show();
    else
        hide();
}

void cUpgradeButtonsPanel::setEnabled(bool enabled) {
    if (enabled)
        enable();
    else
        disable();
}

void cUpgradeButtonsPanel::updateButtons(bool reload) {
    if (m_selectedButton)
        closeVariants();
    if (reload)
        m_targets = m_model ? m_model->getUnitsFeature()->getUnitLevelTargets() : std::vector<tTarget>();
    const auto count = int32_t(m_targets.size());
    const auto setUsable = [](cTipFrameButton* button, bool usable) {
        if (!usable) {
            button->disable();
            return;
        }
        button->enable();
        // A fresh start takes the cursor where it rests now; a hidden button waits to be shown.
        if (button->isVisible()) {
            button->stopProcessing();
            button->startProcessing();
        }
    };
    setUsable(m_scrollLeftButton, m_firstIndex > 0);
    // Also disabled when the offers do not fill the row.
    setUsable(m_scrollRightButton, m_firstIndex < count - m_buttonsNumber);
    for (cUpgradeButton* button : m_buttons)
        button->hide();
    m_spareButton->hide();

    const int32_t n = std::min(m_buttonsNumber, count - m_firstIndex);
    const int32_t group = nextGroup();
    cVector2 place = m_firstIconOffset + getPosition();
    for (int32_t i = 0; i < n; ++i) {
        const tTarget& target = m_targets[size_t(m_firstIndex + i)];
        cUpgradeButton* button = m_buttons[size_t(i)];
        button->setUnit(target.first);
        button->setPosition(place);
        button->setUpgrade(group, target.second);
        button->setVariantIndex(0);
        button->setUpgradeButton(true);
        button->show();
        place += m_iconsOffset;
    }
    if (!m_screen->isEditorMode())
        m_screen->setTutorialTipsShown(true);
}

void cUpgradeButtonsPanel::startScroll(int32_t target, const cVector2& place, bool atFront, const cVector2& step) {
    const tTarget& pair = m_targets[size_t(target)];
    m_spareButton->setUnit(pair.first);
    m_spareButton->setPosition(place);
    m_spareButton->setUpgrade(nextGroup(), pair.second);
    m_spareButton->setUpgradeButton(true);
    m_spareButton->show();
    if (atFront)
        m_buttons.insert(m_buttons.begin(), m_spareButton);
    else
        m_buttons.push_back(m_spareButton);
    m_finishedTweens = 0;
    for (cUpgradeButton* button : m_buttons) {
        button->disable();
        const cVector2 from = button->getPosition();
        auto* tween = new cCallbackMoveTween(button, from, from + step, m_scrollTime, EASING_LINEAR, EASE_IN_OUT, 0,
                                             true, this, 0, [this](int) { onScrollTweenFinished(); });
        tween->start(m_tweenSprite);
    }
}

void cUpgradeButtonsPanel::onScrollLeft() {
    if (m_scrollState != 0)
        return;
    if (--m_firstIndex < 0) {
        m_firstIndex = 0;
        return;
    }
    if (m_buttons.empty())
        return;
    m_scrollState = 2;
    startScroll(m_firstIndex, m_buttons.front()->getPosition() - m_iconsOffset, true, m_iconsOffset);
}

void cUpgradeButtonsPanel::onScrollRight() {
    if (m_scrollState != 0)
        return;
    const int32_t last = int32_t(m_targets.size()) - m_buttonsNumber;
    if (last < 0) {
        m_firstIndex = 0;
        return;
    }
    if (++m_firstIndex > last) {
        m_firstIndex = last;
        return;
    }
    if (m_buttons.empty())
        return;
    m_scrollState = 1;
    startScroll(m_firstIndex + m_buttonsNumber - 1, m_buttons.back()->getPosition() + m_iconsOffset, false,
                cVector2() - m_iconsOffset);
}

void cUpgradeButtonsPanel::onScrollTweenFinished() {
    if (++m_finishedTweens < m_buttonsNumber + 1)
        return;
    if (m_scrollState == 1)
        m_buttons.pop_back();
    else
        m_buttons.erase(m_buttons.begin());
    m_spareButton->hide();
    m_scrollState = 0;
    m_finishedTweens = 0;
    updateButtons(false);
}

void cUpgradeButtonsPanel::startShowVariantsEffect(cMeadowUnit* unit, IUpgradePreview* preview) {
    m_actionQueue->clear();
    const float height = screenHeight();
    m_selectedButton = nullptr;

    auto* down = new cActionGroup();
    for (cUpgradeButton* button : m_buttons) {
        if (button->getPreview() == preview) {
            m_selectedButton = button;
            continue;
        }
        const cVector2 from = button->getPosition();
        down->addAction(new cActionMoveTween(button, from, cVector2(from.x, 2 * height - from.y), m_moveDownTime,
                                             EASING_QUART, EASE_IN_OUT, 0, down));
    }
    m_actionQueue->addAction(down);

    const int32_t variants = preview->getVariantCount();
    if (variants != VARIANTS || !m_selectedButton)
        throw cStringA("cUpgradeButtonsPanel::startShowVariantsEffect(): wrong number of variants: " +
                       std::to_string(variants));

    auto* left = new cActionGroup();
    m_selectedButton->hide();
    const cVector2 start = m_selectedButton->getPosition();
    const cVector2 first = m_firstIconOffset + getPosition();
    for (int32_t i = 0; i < VARIANTS; ++i) {
        cUpgradeButton* button = m_variantButtons[size_t(i)];
        button->setPosition(start);
        button->show();
        button->disable();
        button->setUnit(unit);
        button->showVariantLook();
        button->setVariantIndex(i);
        button->setUpgradeButton(false);
        button->setIconLook(preview->getVariantIcon(i));
        left->addAction(new cActionMoveTween(button, start, first, m_moveLeftTime, EASING_QUART, EASE_IN_OUT, 0, left));
    }
    m_actionQueue->addAction(left);

    auto* right = new cActionGroup();
    for (int32_t i = 1; i < VARIANTS; ++i)
        right->addAction(new cActionMoveTween(m_variantButtons[size_t(i)], first, first + m_iconsOffset * float(i),
                                              m_moveRightTime, EASING_QUART, EASE_IN_OUT, 0, right));
    m_actionQueue->addAction(right);

    if (m_connected)
        m_variantsFinishedConnection.disconnect();
    m_variantsFinishedConnection = m_actionQueue->connectFinished([this] { onVariantsFinished(); });
    m_connected = true;
    m_actionQueue->start();
    m_scrollLeftButton->hide();
    m_scrollRightButton->hide();
    m_returning = false;
    m_screen->setTipsEnabled(false);
}

void cUpgradeButtonsPanel::onVariantsFinished() {
    if (m_returning) {
        closeVariants();
        updateButtons(false);
        return;
    }
    setVariantButtonsEnabled(true);
    m_returnButton->show();
    m_screen->setTipsEnabled(true);
}

void cUpgradeButtonsPanel::onReturnClicked() {
    playVariantsBack();
}

void cUpgradeButtonsPanel::playVariantsBack() {
    m_returning = true;
    m_returnButton->hide();
    m_actionQueue->playBackward();
    m_screen->setTipsEnabled(false);
}

void cUpgradeButtonsPanel::closeVariants() {
    m_returnButton->hide();
    m_scrollLeftButton->show();
    m_scrollRightButton->show();
    for (cUpgradeButton* button : m_variantButtons) {
        button->hide();
        button->disable();
    }
    if (m_connected)
        m_variantsFinishedConnection.disconnect();
    m_selectedButton = nullptr;
    m_connected = false;
    m_screen->setTipsEnabled(true);
}

void cUpgradeButtonsPanel::setVariantButtonsEnabled(bool enabled) {
    for (cUpgradeButton* button : m_variantButtons) {
        if (enabled)
            button->enable();
        else
            button->disable();
    }
}

void cUpgradeButtonsPanel::confirmVariant(IUpgradePreview* preview, int32_t index) {
    m_confirmDlg->setVariant(preview, index < 0 ? 0 : index);
    m_screen->lockInterface(true);
    m_confirmDlg->fadeIn();
}

void cUpgradeButtonsPanel::onConfirmClosed(IUpgradePreview* preview) {
    m_confirmDlg->fadeOut();
    m_screen->lockInterface(false);
    if (preview) {
        setVariantButtonsEnabled(true);
    } else if (m_selectedButton) {
        setVariantButtonsEnabled(false);
        playVariantsBack();
    } else {
        updateButtons(false);
    }
}

void cUpgradeButtonsPanel::fadeOutVariantsDlg() {
    m_variantsDlg->fadeOut();
}

#include "engine/core/String.h"
#include "engine/gui/CoinText.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/Panel.h"
#include "engine/gui/TextButton.h"
#include "engine/platform/KeyCodes.h"
#include "game/model/MeadowModel.h"
#include "tests/development/UpgradeFixture.h"

using namespace Engine;
using TestUpgrades::place;

namespace {

class UpgradeButtonsPanelTest : public TestUpgrades::UpgradeFixture {};

// Four more buildings of the last group, so that the row has more offers than buttons.
class UpgradeButtonsPanelScrollTest : public TestUpgrades::UpgradeFixture {
protected:
    std::string extraUnits() const override {
        std::string units;
        for (int price : {930, 900, 910, 920})
            units += "<Unit><Upgrades><Upgrade level=\"1\" price_gold=\"" + std::to_string(price) +
                     "\" group_number=\"2\"/></Upgrades></Unit>";
        return units;
    }
};

const char* thrownText(const std::function<void()>& call) {
    static std::string text;
    try {
        call();
    } catch (const char* thrown) {
        return thrown;
    } catch (const std::string& thrown) {
        text = thrown;
        return text.c_str();
    }
    return "";
}

} // namespace

TEST_F(UpgradeButtonsPanelTest, ShippedLayoutBuildsTheRowTheVariantButtonsAndBothDialogs) {
    openPanel(0);
    EXPECT_EQ(panel->getPosition(), cVector2(512, 713));
    EXPECT_EQ(panel->getHomePosition(), cVector2(512, 713));
    EXPECT_NE(panel->getPicture(), nullptr);
    EXPECT_EQ(panel->getButtonsNumber(), 11);
    EXPECT_EQ(panel->getButtons().size(), 11u);
    EXPECT_EQ(panel->getFirstIconPos(), place(0));
    EXPECT_EQ(panel->getIconsOffset(), cVector2(72, 0));
    EXPECT_FLOAT_EQ(panel->getScrollTime(), 0.25f);
    EXPECT_FLOAT_EQ(panel->getMoveDownTime(), 0.35f);
    EXPECT_FLOAT_EQ(panel->getMoveLeftTime(), 0.3f);
    EXPECT_FLOAT_EQ(panel->getMoveRightTime(), 0.3f);
    EXPECT_NE(panel->getScrollLeftButton()->getPicture(), nullptr);
    EXPECT_EQ(panel->getScrollRightButton()->getPosition(), cVector2(892, 718));
    EXPECT_FALSE(panel->getReturnButton()->isVisible());
    EXPECT_FALSE(panel->getSpareButton()->isVisible());

    // Every button reads its own file: the tile, the coin and the marks.
    cUpgradeButton* first = button(0);
    EXPECT_NE(first->getPicture(), nullptr);
    EXPECT_NE(first->getPrice()->getCoin()->getPicture(), nullptr);
    EXPECT_NE(first->getLockIcon()->getPicture(), nullptr);
    EXPECT_NE(first->getTickIcon2()->getPicture(), nullptr);
    EXPECT_FLOAT_EQ(first->getDisableIconAlpha(), 0.45f);
    EXPECT_EQ(first->getDisabledTextColor().toARGB(), 0xFFF2F3F4u);

    const auto& variants = panel->getVariantButtons();
    ASSERT_EQ(variants.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(variants[i]->isVisible());
        EXPECT_FLOAT_EQ(variants[i]->getDepth(), variants[0]->getDepth() - float(i) * 5.0f);
    }

    cConfirmVariantDlg* confirm = panel->getConfirmDlg();
    ASSERT_EQ(cConfirmVariantDlg::getInstance(), confirm);
    EXPECT_TRUE(confirm->isEnabled());
    EXPECT_FALSE(confirm->isVisible());
    EXPECT_EQ(confirm->getMessage(), L"Build it like this?");
    EXPECT_NE(confirm->getYesButton()->getPicture(), nullptr);
    EXPECT_STREQ(thrownText([&] { cConfirmVariantDlg second(panel); }), "Object already exist.");

    cVariantsDlg* chooser = panel->getVariantsDlg();
    ASSERT_EQ(cVariantsDlg::getInstance(), chooser);
    EXPECT_FALSE(chooser->isEnabled());
    ASSERT_EQ(chooser->getVariantButtons().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(chooser->getVariantButtons()[i]->isVisible());
        EXPECT_EQ(chooser->getVariantButtons()[i]->getUserData(), int32_t(i));
    }
    EXPECT_STREQ(thrownText([&] { cVariantsDlg second(panel); }), "Object already exist.");

    // The panel takes both dialogs with it.
    delete panel;
    panel = nullptr;
    ui.step();
    EXPECT_EQ(cConfirmVariantDlg::getInstance(), nullptr);
    EXPECT_EQ(cVariantsDlg::getInstance(), nullptr);
}

TEST_F(UpgradeButtonsPanelTest, RowShowsTheOffersInOrderWithPricesLocksAndTicks) {
    openPanel(100);
    // Unreached levels by group, then price; the bought ones would follow by price.
    EXPECT_EQ(row(), (std::vector<std::string>{"1:1", "3:1", "2:2", "0:1", "2:1", "4:1", "0:2", "0:3"}));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(button(i)->getPosition(), place(i)) << i;
    for (int i = 8; i < 11; ++i)
        EXPECT_FALSE(button(i)->isVisible());
    EXPECT_FALSE(panel->getScrollLeftButton()->isEnabled());
    EXPECT_FALSE(panel->getScrollRightButton()->isEnabled());

    struct Expected {
        int index;
        bool enabled;
        bool lock;
        float iconAlpha;
        const wchar_t* price;
    };
    // 100 coins, group 0 open: the pier's second level waits for its first, however cheap; the
    // fountain's and the hen house's later groups are locked whatever the money.
    for (const Expected& e : {Expected{0, true, false, 1.0f, L"50"}, Expected{1, true, false, 1.0f, L"70"},
                              Expected{2, false, false, 1.0f, L"80"}, Expected{3, true, false, 1.0f, L"100"},
                              Expected{4, false, false, 1.0f, L"200"}, Expected{5, false, true, 0.45f, L"40"},
                              Expected{6, false, true, 0.45f, L"300"}}) {
        cUpgradeButton* b = button(e.index);
        EXPECT_EQ(b->isEnabled(), e.enabled) << e.index;
        EXPECT_EQ(b->getLockIcon()->isVisible(), e.lock) << e.index;
        EXPECT_FLOAT_EQ(b->getIcon()->getAlpha(), e.iconAlpha) << e.index;
        EXPECT_EQ(b->getPrice()->getText(), e.price) << e.index;
        EXPECT_TRUE(b->getPrice()->isVisible());
        EXPECT_FALSE(b->getTickIcon()->isVisible());
    }
    // The icon is the building's icon of that level.
    EXPECT_EQ(button(0)->getIcon()->getFramesCount(), 200u);
    EXPECT_EQ(button(6)->getIcon()->getFramesCount(), 101u);
    // Prices the player cannot pay are written in the disabled colour.
    EXPECT_EQ(button(4)->getPrice()->getColor(), button(4)->getDisabledTextColor());
    EXPECT_EQ(button(0)->getPrice()->getColor(), button(0)->getEnabledTextColor());

    // A model that forbids buying disables even what the money covers.
    screen.upgradesAllowed = false;
    panel->updateButtons(false);
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_FLOAT_EQ(button(0)->getIcon()->getAlpha(), 1.0f);
    screen.upgradesAllowed = true;

    // A bought level turns to ticks where it stands; the order changes only on a reload.
    unit(1)->setLevel(1);
    model->getCurrentGroup() = 1;
    panel->updateButtons(false);
    EXPECT_EQ(row().front(), "1:1");
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_FALSE(button(0)->getPrice()->isVisible());
    EXPECT_TRUE(button(0)->getTickIcon()->isVisible());
    EXPECT_TRUE(button(0)->getTickIcon2()->isVisible());
    EXPECT_FALSE(button(5)->getLockIcon()->isVisible());
    EXPECT_TRUE(button(5)->isEnabled());
    panel->updateButtons(true);
    EXPECT_EQ(row(), (std::vector<std::string>{"3:1", "2:2", "0:1", "2:1", "4:1", "0:2", "0:3", "1:1"}));
}

TEST_F(UpgradeButtonsPanelTest, TheTutorialHintGoesToAffordableButtonsOnly) {
    openPanel(60);
    screen.hints.clear();
    ui.step();
    // The mill (50) is the only offer 60 coins cover.
    ASSERT_EQ(screen.hints.size(), 1u);
    EXPECT_EQ(screen.hints.front(), place(0));
    EXPECT_TRUE(screen.tutorialTips);
}

TEST_F(UpgradeButtonsPanelTest, HoverPreviewsTheNextLookAndLeavingPutsTheBuildingBack) {
    openPanel(100);
    ui.moveTo(place(0).x, place(0).y);
    ui.step();
    TestUpgrades::FakePreview* preview = screen.livePreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(button(0)->getPreview(), preview);
    // The view listened before its copy of the mill was raised.
    EXPECT_EQ(screen.log, (std::vector<std::string>{"preview 1 raised to 1", "skin 1 hidden"}));
    EXPECT_EQ(preview->getUnit()->getLevel(), 1);
    EXPECT_EQ(unit(1)->getLevel(), 0);
    EXPECT_EQ(preview->shownVariant(), 0);
    EXPECT_FLOAT_EQ(preview->alphaOf(0), 0.625f);

    ui.moveTo(600, 300);
    ui.step();
    EXPECT_EQ(preview->shownVariant(), -1);
    EXPECT_TRUE(screen.skinShown.at(1));

    // Another button makes its own preview.
    ui.moveTo(place(1).x, place(1).y);
    ui.step();
    EXPECT_EQ(screen.livePreview()->getUnit()->getId(), 3);
    EXPECT_FALSE(screen.skinShown.at(3));
    EXPECT_TRUE(screen.released.empty());

    // A new hover of the first drops its old preview; the view goes with its own unit, alive.
    ui.moveTo(place(0).x, place(0).y);
    ui.step();
    ASSERT_EQ(screen.released.size(), 1u);
    EXPECT_EQ(screen.released.front().get(), preview);
    EXPECT_EQ(preview->getUnit()->getLevel(), 1);
    EXPECT_EQ(preview->shownVariant(), -1);
    EXPECT_NE(button(0)->getPreview(), preview);
    // The released view lets go of its unit's signal first: deleting both is quiet.
    screen.released.clear();
    ui.moveTo(600, 300);
    ui.step();
    EXPECT_TRUE(screen.skinShown.at(1));
    EXPECT_TRUE(screen.skinShown.at(3));
}

TEST_F(UpgradeButtonsPanelTest, ABuildingWithoutAViewOnTheMapIsAnError) {
    screen.withoutView = {3};
    setMoney(0);
    panel = new cUpgradeButtonsPanel(&screen);
    panel->setModel(model.get());
    EXPECT_STREQ(thrownText([&] { panel->updateButtons(true); }), "FakeScreen::getUpgradeIcon(): no building view");
}

TEST_F(UpgradeButtonsPanelScrollTest, ScrollButtonsMoveTheRowOneOfferAtATime) {
    openPanel(0);
    ASSERT_EQ(panel->getTargets().size(), 12u);
    EXPECT_FALSE(panel->getScrollLeftButton()->isEnabled());
    EXPECT_TRUE(panel->getScrollRightButton()->isEnabled());
    const std::vector<std::string> before = row();
    EXPECT_EQ(before.back(), "8:1");

    click(cVector2(892, 718));
    EXPECT_EQ(panel->getScrollState(), 1);
    // While the row moves the spare button brings the next offer in from the right.
    EXPECT_TRUE(panel->getSpareButton()->isVisible());
    EXPECT_EQ(panel->getButtons().size(), 12u);
    // Hovering a moving button previews nothing.
    const size_t previews = screen.previews.size();
    button(3)->onHover();
    EXPECT_EQ(screen.previews.size(), previews);
    // A second click while it moves is ignored.
    panel->onScrollRight();
    ui.run(0.5f);
    EXPECT_EQ(panel->getScrollState(), 0);
    EXPECT_EQ(panel->getFirstIndex(), 1);
    EXPECT_EQ(panel->getButtons().size(), 11u);
    EXPECT_FALSE(panel->getSpareButton()->isVisible());
    std::vector<std::string> after = row();
    EXPECT_EQ(std::vector<std::string>(before.begin() + 1, before.end()),
              std::vector<std::string>(after.begin(), after.end() - 1));
    EXPECT_EQ(after.back(), "5:1");
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(button(i)->getPosition(), place(i)) << i;
    // The last offer is on the last button: right is done, left is open.
    EXPECT_FALSE(panel->getScrollRightButton()->isEnabled());
    EXPECT_TRUE(panel->getScrollLeftButton()->isEnabled());
    panel->onScrollRight();
    EXPECT_EQ(panel->getScrollState(), 0);
    EXPECT_EQ(panel->getFirstIndex(), 1);

    click(cVector2(48, 718));
    EXPECT_EQ(panel->getScrollState(), 2);
    ui.run(0.5f);
    EXPECT_EQ(panel->getFirstIndex(), 0);
    EXPECT_EQ(row(), before);
    EXPECT_FALSE(panel->getScrollLeftButton()->isEnabled());
    panel->onScrollLeft();
    EXPECT_EQ(panel->getScrollState(), 0);
    EXPECT_EQ(panel->getFirstIndex(), 0);

    // Back home, first offer first.
    panel->onScrollRight();
    ui.run(0.5f);
    panel->setPosition(cVector2(512, 900));
    panel->resetScroll();
    EXPECT_EQ(panel->getPosition(), cVector2(512, 713));
    EXPECT_EQ(panel->getFirstIndex(), 0);
    EXPECT_EQ(button(0)->getUnit(), nullptr);
}

TEST_F(UpgradeButtonsPanelTest, FewerOffersThanButtonsNeverScroll) {
    openPanel(0);
    panel->onScrollRight();
    EXPECT_EQ(panel->getScrollState(), 0);
    EXPECT_EQ(panel->getFirstIndex(), 0);
    panel->onScrollLeft();
    EXPECT_EQ(panel->getScrollState(), 0);
    EXPECT_EQ(panel->getFirstIndex(), 0);
}

TEST_F(UpgradeButtonsPanelTest, BuyingWithExactMoneyRaisesTheBuildingOnceAndLaysTheRowOut) {
    openPanel(50);
    click(place(0));
    cConfirmVariantDlg* confirm = panel->getConfirmDlg();
    EXPECT_TRUE(confirm->isVisible());
    EXPECT_EQ(confirm->getVariantIndex(), 0);
    EXPECT_EQ(screen.livePreview()->shownVariant(), 0);
    EXPECT_FALSE(screen.skinShown.at(1));
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_FALSE(screen.tutorialTips);
    ui.run(1.0f);
    EXPECT_EQ(confirm->getText()->getText(), L"Build it like this?");

    // Enter answers; a Space and a click on yes after it find nothing left to buy.
    std::vector<int32_t> changes;
    auto listening = unit(1)->m_changedSignal.connect([&](cMeadowUnit* u) { changes.push_back(u->getLevel()); });
    screen.log.clear();
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    ui.tapKey(Platform::KEY_SPACE);
    ui.step();
    confirm->onYes();
    EXPECT_EQ(unit(1)->getLevel(), 1);
    EXPECT_EQ(model->getResourcePoints(1), 0);
    EXPECT_EQ(sounds.log, std::vector<std::string>{"buy_unit"});
    // The building's view hears of the new level once: that starts its drop-in.
    EXPECT_EQ(changes, std::vector<int32_t>{1});
    listening.disconnect();
    // The building's own look is back before the purchase; its drop-in brings the new one.
    EXPECT_EQ(screen.log, (std::vector<std::string>{"skin 1 shown", "unlock"}));
    EXPECT_EQ(confirm->getPreview(), nullptr);
    ui.run(1.0f);
    EXPECT_FALSE(confirm->isVisible());
    EXPECT_TRUE(button(0)->getTickIcon()->isVisible());
    EXPECT_EQ(row().front(), "1:1");
}

TEST_F(UpgradeButtonsPanelTest, TooLittleMoneyBuysNothing) {
    openPanel(49);
    EXPECT_FALSE(button(0)->isEnabled());
    click(place(0));
    EXPECT_FALSE(panel->getConfirmDlg()->isVisible());

    // Money spent elsewhere while the question is up: the purchase is refused, not overdrawn.
    setMoney(50);
    panel->updateButtons(false);
    click(place(0));
    ASSERT_TRUE(panel->getConfirmDlg()->isVisible());
    ui.run(1.0f);
    setMoney(20);
    ui.click(432, 356);
    ui.step();
    EXPECT_EQ(unit(1)->getLevel(), 0);
    EXPECT_EQ(model->getResourcePoints(1), 20);
    EXPECT_TRUE(sounds.log.empty());
    ui.run(1.0f);
    EXPECT_FALSE(panel->getConfirmDlg()->isVisible());
    EXPECT_FALSE(button(0)->isEnabled());
}

TEST_F(UpgradeButtonsPanelTest, NoPutsTheBuildingBackAndKeepsTheMoney) {
    openPanel(100);
    click(place(1));
    ui.run(1.0f);
    screen.log.clear();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    // (The row laid out again under the resting cursor previews the button beneath it.)
    ASSERT_GE(screen.log.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(screen.log.begin(), screen.log.begin() + 2),
              (std::vector<std::string>{"skin 3 shown", "unlock"}));
    EXPECT_EQ(panel->getConfirmDlg()->getPreview(), nullptr);
    EXPECT_EQ(unit(3)->getLevel(), 0);
    EXPECT_EQ(model->getResourcePoints(1), 100);
    ui.run(1.0f);
    EXPECT_TRUE(button(1)->isEnabled());
}

TEST_F(UpgradeButtonsPanelTest, TheQuestionStandsClearOfTheLookItAsksAbout) {
    openPanel(1000);
    cConfirmVariantDlg* question = panel->getConfirmDlg();
    const auto frame = [&]() -> cSprite* {
        for (const cEffectDialog::sEffectRecord& record : question->getEffectWidgets())
            if (record.homeSize == cVector2(416, 256))
                return record.widget;
        return nullptr;
    };
    ASSERT_NE(frame(), nullptr);
    struct Case {
        cVector2 centre, size;
        float frameY;
    };
    // A look under the frame's place sends it up (the shorter way), one beside it leaves it where
    // the layout puts it, one near the top sends it down.
    const Case cases[] = {{{540, 407}, {120, 106}, 218}, {{150, 300}, {120, 100}, 300}, {{512, 200}, {120, 100}, 386}};
    for (const Case& test : cases) {
        screen.lookCentre = test.centre;
        screen.lookSize = test.size;
        click(place(1));
        ui.run(1.0f);
        ASSERT_TRUE(question->isVisible());
        EXPECT_EQ(frame()->getPosition(), cVector2(512.0f, test.frameY)) << test.centre.y;
        const float top = frame()->getPosition().y - 128, bottom = frame()->getPosition().y + 128;
        const bool besides = test.centre.x + test.size.x / 2 <= 304;
        EXPECT_TRUE(besides || bottom <= test.centre.y - test.size.y / 2 || top >= test.centre.y + test.size.y / 2)
            << test.centre.y;
        if (&test != &cases[2]) {
            ui.tapKey(Platform::KEY_ESCAPE);
            ui.step();
            ui.run(1.0f);
            continue;
        }
        // The moved buttons answer where they stand.
        ui.click(question->getYesButton()->getPosition().x, question->getYesButton()->getPosition().y);
        ui.step();
        EXPECT_EQ(unit(3)->getLevel(), 1);
        ui.run(1.5f);
    }
}

TEST_F(UpgradeButtonsPanelTest, ThreeLooksSpreadAsVariantButtonsAndTheChosenOneIsBought) {
    openPanel(1000);
    // The hen house's first level is the fourth offer.
    ASSERT_EQ(row()[3], "0:1");
    click(place(3));
    EXPECT_EQ(panel->getSelectedButton(), button(3));
    EXPECT_FALSE(panel->getScrollLeftButton()->isVisible());
    EXPECT_FALSE(screen.tipsEnabled);
    ui.run(1.5f);
    // The other buttons left downwards; the variants stand on the first three places.
    EXPECT_FALSE(button(3)->isVisible());
    EXPECT_EQ(button(0)->getPosition(), cVector2(place(0).x, 2 * 768.0f - place(0).y));
    const auto& variants = panel->getVariantButtons();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(variants[size_t(i)]->isVisible()) << i;
        EXPECT_TRUE(variants[size_t(i)]->isEnabled()) << i;
        EXPECT_EQ(variants[size_t(i)]->getPosition(), place(i)) << i;
        EXPECT_FALSE(variants[size_t(i)]->isUpgradeButton());
        EXPECT_FALSE(variants[size_t(i)]->getPrice()->isVisible());
        EXPECT_EQ(variants[size_t(i)]->getIcon()->getFramesCount(), unsigned(10 + i)) << i;
        // Over the shelf, not hidden behind it; the first over the others where they overlap.
        EXPECT_GT(variants[size_t(i)]->getDepth(), panel->getDepth()) << i;
        if (i > 0) {
            EXPECT_GT(variants[0]->getDepth(), variants[size_t(i)]->getIcon()->getDepth()) << i;
        }
    }
    EXPECT_TRUE(panel->getReturnButton()->isVisible());
    EXPECT_TRUE(screen.tipsEnabled);

    // Hovering a variant previews that look.
    ui.moveTo(place(2).x, place(2).y);
    ui.step();
    EXPECT_EQ(screen.livePreview()->shownVariant(), 2);

    // The second look is asked about and refused: the three are offered again.
    click(place(1));
    EXPECT_TRUE(panel->getConfirmDlg()->isVisible());
    EXPECT_EQ(panel->getConfirmDlg()->getVariantIndex(), 1);
    EXPECT_EQ(screen.livePreview()->shownVariant(), 1);
    ui.run(1.0f);
    ui.click(592, 356);
    ui.step();
    EXPECT_TRUE(screen.skinShown.at(0));
    EXPECT_NE(panel->getConfirmDlg()->getPreview(), nullptr);
    for (cUpgradeButton* variant : variants)
        EXPECT_TRUE(variant->isEnabled());
    ui.run(1.0f);

    // The third is bought: yes twice still buys once, then the variants gather back.
    click(place(2));
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ENTER);
    ui.step();
    ui.click(432, 356);
    ui.step();
    EXPECT_EQ(unit(0)->getLevel(), 1);
    EXPECT_EQ(unit(0)->getVariant(), 2);
    EXPECT_EQ(model->getResourcePoints(1), 900);
    EXPECT_EQ(sounds.log, std::vector<std::string>{"buy_unit"});
    EXPECT_TRUE(panel->isReturning());
    ui.run(1.5f);
    EXPECT_EQ(panel->getSelectedButton(), nullptr);
    for (cUpgradeButton* variant : variants)
        EXPECT_FALSE(variant->isVisible());
    EXPECT_TRUE(button(3)->isVisible());
    EXPECT_EQ(button(3)->getPosition(), place(3));
    EXPECT_TRUE(button(3)->getTickIcon()->isVisible());
    // The hen house's next level is now the one to buy, but its group is still locked.
    EXPECT_TRUE(button(6)->getLockIcon()->isVisible());
    EXPECT_TRUE(panel->getScrollLeftButton()->isVisible());
}

TEST_F(UpgradeButtonsPanelTest, ReturnButtonBringsTheRowBack) {
    openPanel(1000);
    click(place(3));
    ui.run(1.5f);
    ASSERT_TRUE(panel->getReturnButton()->isVisible());
    click(cVector2(344, 718));
    EXPECT_TRUE(panel->isReturning());
    EXPECT_FALSE(panel->getReturnButton()->isVisible());
    ui.run(1.5f);
    EXPECT_EQ(panel->getSelectedButton(), nullptr);
    EXPECT_TRUE(screen.tipsEnabled);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(button(i)->isVisible()) << i;
        EXPECT_EQ(button(i)->getPosition(), place(i)) << i;
    }
    for (cUpgradeButton* variant : panel->getVariantButtons())
        EXPECT_FALSE(variant->isVisible());
    EXPECT_EQ(unit(0)->getLevel(), 0);
    EXPECT_EQ(model->getResourcePoints(1), 1000);
}

TEST_F(UpgradeButtonsPanelTest, LooksThatAreNotThreeAndWrongIndexesAreRefused) {
    openPanel(1000);
    ui.moveTo(place(0).x, place(0).y);
    ui.step();
    IUpgradePreview* single = button(0)->getPreview();
    ASSERT_NE(single, nullptr);
    EXPECT_STREQ(thrownText([&] { panel->startShowVariantsEffect(unit(1), single); }),
                 "cUpgradeButtonsPanel::startShowVariantsEffect(): wrong number of variants: 1");
    EXPECT_STREQ(thrownText([&] { panel->getConfirmDlg()->setVariant(single, 1); }),
                 "cConfirmVariantDlg::setVariant(): wrong index of variant: 1");
    EXPECT_EQ(panel->getConfirmDlg()->getVariantIndex(), 1);
}

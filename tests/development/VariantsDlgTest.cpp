#include "engine/gui/FrameButton.h"
#include "engine/platform/KeyCodes.h"
#include "tests/development/UpgradeFixture.h"
#include "tests/model/XmlFixture.h"

using namespace Engine;

namespace {

class VariantsDlgTest : public TestUpgrades::UpgradeFixture {};

} // namespace

TEST_F(VariantsDlgTest, AChosenVariantGoesToTheQuestionAndTheDialogCloses) {
    openPanel(1000);
    // The hen house's preview, made by hovering its button.
    ui.moveTo(TestUpgrades::place(3).x, TestUpgrades::place(3).y);
    ui.step();
    IUpgradePreview* preview = button(3)->getPreview();
    ASSERT_EQ(preview->getVariantCount(), 3);
    cVariantsDlg* chooser = panel->getVariantsDlg();
    chooser->setPreview(preview);
    for (cFrameButton* variant : chooser->getVariantButtons())
        variant->show();
    chooser->enable();
    chooser->fadeIn();
    ui.run(1.0f);

    cVariantsDlg::onVariantClicked(chooser->getVariantButtons()[2]);
    cConfirmVariantDlg* confirm = panel->getConfirmDlg();
    EXPECT_TRUE(confirm->isVisible());
    EXPECT_EQ(confirm->getPreview(), preview);
    EXPECT_EQ(confirm->getVariantIndex(), 2);
    EXPECT_EQ(screen.log.back(), "lock");
    EXPECT_EQ(chooser->getPreview(), nullptr);
    for (cFrameButton* variant : chooser->getVariantButtons()) {
        EXPECT_FALSE(variant->isVisible());
        EXPECT_EQ(variant->getPicture(), nullptr);
    }
    ui.run(1.0f);
    EXPECT_FALSE(chooser->isVisible());
}

TEST_F(VariantsDlgTest, EscapeClosesItAndReloadsTheRowOnlyWhileItTakesInput) {
    openPanel(100);
    cVariantsDlg* chooser = panel->getVariantsDlg();
    // Disabled, as the panel leaves it: Escape is not its.
    unit(1)->setLevel(1);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    EXPECT_EQ(row().front(), "1:1");

    chooser->enable();
    chooser->fadeIn();
    ui.run(1.0f);
    ui.tapKey(Platform::KEY_ESCAPE);
    ui.step();
    // The row was read again: the bought mill went to the end.
    EXPECT_EQ(row().back(), "1:1");
    ui.run(1.0f);
    EXPECT_FALSE(chooser->isVisible());
}

TEST_F(VariantsDlgTest, WithoutVariantsThereAreNoButtons) {
    openPanel(0);
    cVariantsDlg* chooser = panel->getVariantsDlg();
    for (const char* layout : {"<V/>", "<V><Variants/></V>"}) {
        auto document = TestModel::parseXml(layout);
        chooser->loadXML(document.get());
        EXPECT_EQ(chooser->getVariantButtons().size(), 3u) << layout;
    }
}

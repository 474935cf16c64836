#include "engine/platform/MessageBox.h"
#include "engine/platform/headless/HeadlessMessageBox.h"

#include <gtest/gtest.h>

using namespace Platform;

TEST(MessageBoxTest, HeadlessBoxesAreRecordedNotShown) {
    cHeadlessMessageBox& recorder = getHeadlessMessageBox();
    recorder.clear();
    showMessageBox("Set 1 or 2 bonuses amount", "Wrong amount of bonuses", MessageBoxIcon::INFORMATION);
    showMessageBox("broken", "Error", MessageBoxIcon::WARNING);
    ASSERT_EQ(recorder.getRecords().size(), 2u);
    EXPECT_EQ(recorder.getRecords()[0].text, "Set 1 or 2 bonuses amount");
    EXPECT_EQ(recorder.getRecords()[0].caption, "Wrong amount of bonuses");
    EXPECT_EQ(recorder.getRecords()[1].icon, MessageBoxIcon::WARNING);
}

TEST(MessageBoxTest, InstalledBoxTakesOver) {
    cHeadlessMessageBox own;
    setMessageBox(&own);
    getHeadlessMessageBox().clear();
    showMessageBox("text", "caption", MessageBoxIcon::ERROR);
    setMessageBox(nullptr);
    EXPECT_EQ(own.getRecords().size(), 1u);
    EXPECT_TRUE(getHeadlessMessageBox().getRecords().empty());
}

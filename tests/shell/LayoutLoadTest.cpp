// Screens of the shell that refuse their layout (a label without a font) give the document
// back, so a retry or a later screen finds the cache as it was.

#include "engine/core/String.h"
#include "game/shell/Credits.h"
#include "game/shell/ExitDialog.h"
#include "game/shell/YesNoFrame.h"
#include "tests/support/CountingDocuments.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Engine;
using TestSupport::CountingDocuments;

TEST(LayoutLoad, ARefusedLayoutOfAShellScreenIsGivenBack) {
    const struct {
        const char* path;
        std::function<cWidget*()> make;
    } cases[] = {
        {"UI/Credits.xml", [] { return new cCredits(); }},
        {"UI/YesNoExit.xml", [] { return new cExitDialog(nullptr); }},
        {"Frame.xml", [] { return new cYesNoFrame(nullptr, "Frame.xml"); }},
    };
    for (const auto& c : cases) {
        TestSupport::UiHarness ui;
        ui.writeFile(c.path, "<Layout Visible=\"1\"><BackText><Title String=\"no font\"/></BackText></Layout>");
        ui.start();
        CountingDocuments documents;
        cWidget* made = nullptr;
        EXPECT_THROW(made = c.make(), cStringA) << c.path;
        delete made;
        EXPECT_EQ(CountingDocuments::count(c.path), 0) << c.path;
    }
}

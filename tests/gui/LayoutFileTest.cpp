// loadLayoutFile: the widget reads the cached layout, and the document is given back on every
// exit, also when the widget refuses it.

#include "engine/gui/LayoutFile.h"

#include "engine/core/DocumentHold.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Panel.h"
#include "tests/support/CountingDocuments.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>

using namespace Engine;
using TestSupport::CountingDocuments;
using TestSupport::UiHarness;

namespace {

// Reads "size" as a panel does, then refuses a layout with "refuse".
class RefusingPanel : public cPanel {
public:
    RefusingPanel() : cPanel(nullptr) {}
    void loadXML(const IXmlNode* node) override {
        cPanel::loadXML(node);
        if (!node->getAttribute(L"refuse").empty())
            throw cStringA("refused");
    }
};

std::string thrownText(const std::string& path) {
    RefusingPanel panel;
    try {
        loadLayoutFile(panel, path);
    } catch (const cStringA& error) {
        return error;
    }
    return "nothing thrown";
}

} // namespace

TEST(LayoutFile, TheWidgetReadsTheLayoutAndTheDocumentIsGivenBack) {
    UiHarness ui;
    ui.writeFile("UI/Box.xml", "<Box size=\"30,20\"/>");
    ui.start();
    CountingDocuments documents;
    RefusingPanel panel;
    loadLayoutFile(panel, "UI/Box.xml");
    EXPECT_EQ(panel.getSize(), cVector2(30, 20));
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 0);
}

TEST(LayoutFile, ALayoutTheWidgetRefusesIsGivenBackAsWell) {
    UiHarness ui;
    ui.writeFile("UI/Bad.xml", "<Bad refuse=\"1\"/>");
    ui.start();
    CountingDocuments documents;
    EXPECT_EQ(thrownText("UI/Bad.xml"), "refused");
    EXPECT_EQ(CountingDocuments::count("UI/Bad.xml"), 0);
    // A document someone else holds keeps that reference only.
    cDocumentHold held("UI/Bad.xml");
    EXPECT_EQ(thrownText("UI/Bad.xml"), "refused");
    EXPECT_EQ(CountingDocuments::count("UI/Bad.xml"), 1);
    held.reset();
    EXPECT_EQ(CountingDocuments::count("UI/Bad.xml"), 0);
}

TEST(LayoutFile, WithoutAResourceManagerItCannotReadAndSaysWhich) {
    EXPECT_EQ(thrownText("UI/Box.xml"), "cannot read \"UI/Box.xml\": there is no resource manager");
}

TEST(DocumentHold, MovingHandsTheOneReferenceOn) {
    UiHarness ui;
    ui.writeFile("UI/Box.xml", "<Box/>");
    ui.start();
    CountingDocuments documents;
    cDocumentHold first("UI/Box.xml");
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 1);
    cDocumentHold second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second->getAttribute(L"none"), L"");
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 1);
    cDocumentHold third("UI/Box.xml");
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 2);
    third = std::move(second);
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 1);
    third.reset();
    EXPECT_EQ(CountingDocuments::count("UI/Box.xml"), 0);
}

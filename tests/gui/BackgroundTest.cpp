#include "engine/gui/Background.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayerFactories.h"
#include "engine/gui/Panel.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class BackgroundTest : public ::testing::Test {
protected:
    void SetUp() override { ui.start(); }
    UiHarness ui;
};

// Stands in for the label widget of "BackText".
cWidget* makeTextLayer(cWidget* parent, const IXmlNode* element) {
    auto* sprite = new cSprite(parent);
    sprite->loadXML(element);
    return sprite;
}

} // namespace

TEST_F(BackgroundTest, BackgroundGroupMakesOnePanelPerElement) {
    ui.writeFile("b.xml", "<B Visible=\"1\"><Background><A position=\"1,1\" Visible=\"1\"/><B/><C/></Background>"
                          "</B>");
    cBackground background(nullptr);
    background.loadXML(ui.layout("b.xml"));
    EXPECT_EQ(background.getKind(), WIDGET_KIND_PLAIN);
    ASSERT_EQ(background.getLayers().size(), 3u);
    EXPECT_EQ(background.getChildren(), background.getLayers());
    int visible = 0;
    for (cWidget* layer : background.getLayers()) {
        EXPECT_EQ(layer->getKind(), WIDGET_KIND_PANEL);
        visible += layer->isVisible();
    }
    EXPECT_EQ(visible, 1);

    // A layer deleted on its own leaves the set.
    delete *background.getLayers().begin();
    EXPECT_EQ(background.getLayers().size(), 2u);
}

TEST_F(BackgroundTest, GroupsWithoutTheirWidgetClassAreRefusedByName) {
    for (const char* group : {"BackText", "BackMultitext"}) {
        const std::string name = std::string(group) + ".xml";
        ui.writeFile(name, std::string("<B><Background><P/></Background><") + group + "><E/></" + group + "></B>");
        cBackground background(nullptr);
        try {
            background.loadXML(ui.layout(name));
            ADD_FAILURE() << group << " accepted";
        } catch (const std::string& text) {
            EXPECT_NE(text.find(std::string("\"") + group + "\""), std::string::npos) << text;
        }
    }
}

TEST_F(BackgroundTest, AGroupWithAMakerBuildsItsLayers) {
    cLayerFactories::set("BackText", makeTextLayer);
    ui.writeFile("t.xml", "<B><BackText><T position=\"3,4\"/><U/></BackText></B>");
    cBackground background(nullptr);
    background.loadXML(ui.layout("t.xml"));
    cLayerFactories::set("BackText", nullptr);
    EXPECT_EQ(background.getLayers().size(), 2u);
    EXPECT_FALSE(cLayerFactories::has("BackText"));
}

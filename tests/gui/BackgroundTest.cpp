#include "engine/gui/Background.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayerFactories.h"
#include "engine/gui/Panel.h"
#include "engine/gui/PyroEffect.h"
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

// Stands in for the particle-effect widget of "BackPyro".
cWidget* makeEffectLayer(cWidget* parent, const IXmlNode* element) {
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

// Puts the particle widget's maker back, whatever a test set meanwhile.
struct cRestorePyroLayers {
    ~cRestorePyroLayers() { cLayerFactories::set("BackPyro", &cPyroEffect::makeLayer, &cPyroEffect::copyLayer); }
};

TEST_F(BackgroundTest, GroupsWithoutTheirWidgetClassAreRefusedByName) {
    cRestorePyroLayers restore;
    cLayerFactories::set("BackPyro", nullptr);
    for (const char* group : {"BackPyro"}) {
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
    cRestorePyroLayers restore;
    cLayerFactories::set("BackPyro", makeEffectLayer);
    ui.writeFile("t.xml", "<B><BackPyro><T position=\"3,4\"/><U/></BackPyro></B>");
    cBackground background(nullptr);
    background.loadXML(ui.layout("t.xml"));
    cLayerFactories::set("BackPyro", nullptr);
    EXPECT_EQ(background.getLayers().size(), 2u);
    EXPECT_FALSE(cLayerFactories::has("BackPyro"));
}

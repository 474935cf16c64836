// The piece table's look-up: every piece type of the shipped model has its look with a picture,
// and a type the table lacks is refused with its id named.

#include "game/shell/PieceLooks.h"
#include "game/model/MeadowModel.h"
#include "tests/model/ShippedModel.h"
#include "tests/support/ShippedAtlases.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Engine;

TEST(PieceLooksTest, EveryPieceTypeOfTheShippedModelHasALookWithAPicture) {
    TestSupport::UiHarness ui;
    std::vector<std::string> names = TestSupport::shippedAtlasFiles(MEADOW_DATA_DIR);
    names.push_back("Meadow/View/GameObjects.xml");
    for (const std::string& name : names)
        ui.writeFile(name, TestSupport::readFileBytes(std::string(MEADOW_DATA_DIR) + "/" + name));
    ui.start();
    std::unique_ptr<cMeadowModel> model = TestShipped::makeModel();
    IXmlNode* root = ui.layout("Meadow/View/GameObjects.xml");
    int types = 0;
    for (int category = 0; category < 32; ++category)
        for (int type : model->getTypesOfCategory(category)) {
            SCOPED_TRACE(type);
            ++types;
            EXPECT_NE(nullptr, getPieceVisualState(type, root).getPicture());
        }
    EXPECT_GT(types, 10);
}

TEST(PieceLooksTest, ATypeTheTableLacksNamesTheId) {
    TestSupport::UiHarness ui;
    ui.writeFile("objects.xml", R"(<GameObjects><Object id="obj1"/><Object id="obj71"/></GameObjects>)");
    ui.start();
    try {
        getPieceVisualState(7, ui.layout("objects.xml"));
        FAIL() << "found";
    } catch (const std::string& error) {
        EXPECT_EQ("getPieceVisualState(): visual state for object id = obj7 was not found.", error);
    }
    EXPECT_THROW(getPieceVisualState(1, nullptr), std::string);
}

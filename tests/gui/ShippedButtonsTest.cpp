// Every button of the shipped layouts, as a player meets it, made from its element: a caption
// button draws its words at a size one can read, and hovering it for a few seconds moves the
// letters by a few pixels at most (measured on the letters' draw records); every button ticks
// when the cursor comes onto it and clicks when pressed, as the engine's dialogs do.

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/ButtonCaption.h"
#include "engine/gui/FrameButton.h"
#include "engine/gui/TextButton.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using namespace Engine;

namespace {

namespace fs = std::filesystem;

// Smallest letter height that reads on a 1024 x 768 screen, and the most a letter may move.
constexpr float MIN_LETTER_HEIGHT = 6.0f;
constexpr float MAX_LETTER_MOVE = 4.0f;

struct Letter {
    float x = 0, y = 0, height = 0;
};

struct ButtonElement {
    std::string where; // file and element path
    IXmlNode* node = nullptr;
};

// The elements of a layout that pass the test.
template <class Test>
void collect(IXmlNode* node, const std::string& where, Test test, std::vector<ButtonElement>& found) {
    if (test(node))
        found.push_back({where, node});
    for (int i = 0; i < node->getChildCount(); ++i) {
        IXmlNode* child = nullptr;
        std::string name;
        if (node->getNodeAt(i, child, &name))
            collect(child, where + "/" + name, test, found);
    }
}

// Caption buttons: a "Text" caption and state frames.
bool isCaptionButton(IXmlNode* node) {
    IXmlNode* caption = nullptr;
    return !node->getAttribute(L"frames_count").empty() && node->findNode("Text", caption);
}

// Buttons: a look for a button state, or sounds of their own.
bool isButton(IXmlNode* node) {
    IXmlNode* sounds = nullptr;
    for (const wchar_t* key : {L"frame_normal", L"frame_hover", L"frame_pressed", L"frame_disabled"})
        if (!node->getAttribute(key).empty())
            return true;
    return node->findNode("Sounds", sounds);
}

class ShippedButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path data(MEADOW_SHIPPED_DATA_DIR);
        for (const auto& entry : fs::recursive_directory_iterator(data))
            if (entry.is_regular_file()) {
                const std::string name = fs::relative(entry.path(), data).generic_string();
                ui.writeFile(name, TestSupport::readFileBytes(entry.path().string()));
                if (entry.path().extension() == ".xml" &&
                    (name.rfind("UI/", 0) == 0 || name.rfind("Meadow/View/", 0) == 0 || name.rfind("Awards/", 0) == 0))
                    layouts.push_back(name);
            }
        std::sort(layouts.begin(), layouts.end());
        ui.start();
    }

    // The caption's letters drawn in the last frame, in draw order.
    std::vector<Letter> letters(const cButtonCaption& caption) const {
        std::vector<Letter> found;
        for (const TestSupport::DrawCall& draw : ui.draws()) {
            if (draw.texture != caption.getPicture())
                continue;
            float top = draw.quad.vertices[0].position.y, bottom = top, left = draw.quad.vertices[0].position.x,
                  right = left;
            for (const auto& vertex : draw.quad.vertices) {
                top = std::min(top, vertex.position.y);
                bottom = std::max(bottom, vertex.position.y);
                left = std::min(left, vertex.position.x);
                right = std::max(right, vertex.position.x);
            }
            found.push_back({(left + right) * 0.5f, (top + bottom) * 0.5f, bottom - top});
        }
        return found;
    }

    // The elements of every layout that pass the test.
    template <class Test> std::vector<ButtonElement> elements(Test test) {
        std::vector<ButtonElement> found;
        for (const std::string& name : layouts)
            collect(ui.layout(name), name, test, found);
        return found;
    }

    // What is wrong with the button's caption as the cursor rests away from it and then on it for
    // three seconds; empty when nothing is.
    std::string check(IXmlNode* node) {
        auto* button = new cTextButton(nullptr);
        button->loadXML(node);
        button->show();
        button->enable();
        cButtonCaption* caption = button->getCaption();
        // Rows of lists get their text from the code.
        if (caption->getText().empty())
            button->setText(L"Anna");
        const cVector2 at = button->getPosition();
        const cVector2 away(at.x < 512 ? 1000.0f : 20.0f, at.y < 384 ? 740.0f : 20.0f);
        std::ostringstream fault;
        ui.moveTo(away.x, away.y);
        ui.steps(4);
        const std::vector<Letter> still = letters(*caption);
        if (still.empty())
            fault << "no letters drawn; ";
        for (const Letter& letter : still)
            if (letter.height < MIN_LETTER_HEIGHT) {
                fault << "letters " << letter.height << " px high; ";
                break;
            }
        ui.moveTo(at.x, at.y);
        float moved = 0;
        for (int frame = 0; frame < 48 && fault.str().empty(); ++frame) {
            ui.step();
            const std::vector<Letter> now = letters(*caption);
            if (now.size() != still.size()) {
                fault << "hovered, " << now.size() << " letters drawn of " << still.size() << "; ";
                break;
            }
            for (size_t i = 0; i < now.size(); ++i) {
                moved = std::max({moved, std::fabs(now[i].x - still[i].x), std::fabs(now[i].y - still[i].y)});
                if (now[i].height < MIN_LETTER_HEIGHT)
                    fault << "hovered, letters " << now[i].height << " px high; ";
            }
        }
        if (moved > MAX_LETTER_MOVE)
            fault << "hovered, letters move " << moved << " px; ";
        if (button->getState() != 2 && fault.str().empty())
            fault << "the cursor on it does not hover it; ";
        delete button;
        ui.steps(1);
        return fault.str();
    }

    TestSupport::UiHarness ui;
    std::vector<std::string> layouts;
};

TEST_F(ShippedButtonsTest, EveryCaptionIsReadableAndHoldsStillWhenHovered) {
    const std::vector<ButtonElement> buttons = elements(isCaptionButton);
    // The menus, the dialogs, the board, the map and the editor have caption buttons.
    EXPECT_GE(buttons.size(), 40u);
    for (const ButtonElement& button : buttons) {
        IXmlNode* text = nullptr;
        button.node->findNode("Text", text);
        EXPECT_EQ(check(button.node), "")
            << button.where << " \"" << wideToNarrow(text->getAttribute(L"String")) << "\"";
    }
}

TEST_F(ShippedButtonsTest, EveryButtonTicksWhenHoveredAndClicksWhenPressed) {
    const std::vector<ButtonElement> buttons = elements(isButton);
    EXPECT_GE(buttons.size(), 90u);
    const std::vector<std::string> expected{"playOnce meadow/sounds/btn_hovered.ogg",
                                            "playOnce meadow/sounds/btn_clicked.ogg"};
    for (const ButtonElement& element : buttons) {
        auto* button = new cFrameButton(nullptr);
        button->loadXML(element.node);
        button->show();
        button->enable();
        const cVector2 at = button->getPosition();
        ui.moveTo(at.x < 512 ? 1000.0f : 20.0f, at.y < 384 ? 740.0f : 20.0f);
        ui.steps(2);
        ui.sounds().clear();
        ui.moveTo(at.x, at.y);
        ui.step();
        ui.press();
        ui.step();
        ui.release();
        ui.step();
        EXPECT_EQ(ui.sounds(), expected) << element.where;
        delete button;
        ui.step();
    }
}

} // namespace

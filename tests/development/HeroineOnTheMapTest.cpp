// The heroine on the shipped map as a player meets her: her speech bubble shows its lines in
// words, drawn over the map and under the map's questions (to resume a level, to build a look),
// and after a visit to the main menu she stands where she stood.

#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/TextButton.h"
#include "game/development/BubbleView.h"
#include "game/development/ConfirmVariantDlg.h"
#include "game/development/Graph.h"
#include "game/development/PersonageModel.h"
#include "game/development/PersonageView.h"
#include "game/development/UpgradeButton.h"
#include "game/development/UpgradeButtonsPanel.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowUnit.h"
#include "game/model/UnitUpgrade.h"
#include "game/model/UnitsFeature.h"
#include "game/shell/YesNoFrame.h"
#include "tests/development/DevelopmentFixture.h"

#include <cmath>
#include <string>

using Engine::cVector2;
using TestMap::DevelopmentFixture;

namespace {

bool inside(const cVector2& p, const Engine::cSprite* sprite) {
    const cVector2 c = sprite->getPosition(),
                   half(std::fabs(sprite->getSize().x) / 2, std::fabs(sprite->getSize().y) / 2);
    return p.x >= c.x - half.x && p.x <= c.x + half.x && p.y >= c.y - half.y && p.y <= c.y + half.y;
}

cVector2 centre(const TestSupport::DrawCall& draw) {
    cVector2 sum;
    for (const auto& vertex : draw.quad.vertices)
        sum = sum + vertex.position;
    return sum * 0.25f;
}

class HeroineOnTheMapTest : public DevelopmentFixture {
protected:
    cPersonageView* heroine() const { return map->getPimbrelView(); }
    cBubbleView* bubble() const { return heroine()->getBubble(); }
    bool bubbleOnShow() const {
        return bubble()->isVisible() && !bubble()->isShowing() && !bubble()->isHiding() && bubble()->getAlpha() == 1;
    }
    void standAt(int32_t node) {
        map->getPimbrelModel()->setCurrentPoint(node);
        heroine()->placeAtCurrentPoint();
    }
    cVector2 nodePosition(int32_t node) const {
        return map->getPimbrelModel()->getGraph()->getNode(node)->getPosition();
    }
    // The bubble's text as the frame drew it: the lines' draws that lie inside the bubble, after
    // its picture; the index of the last one, -1 when a line was not drawn.
    int lastLineDraw() {
        const std::vector<TestSupport::DrawCall>& draws = ui.draws();
        int picture = -1, last = -1;
        for (int i = 0; i < int(draws.size()); ++i)
            if (draws[size_t(i)].texture == bubble()->getPicture() && inside(centre(draws[size_t(i)]), bubble()))
                picture = i;
        for (Engine::cLabel* line : bubble()->getText()->getLines()) {
            int drawn = -1;
            for (int i = picture + 1; i < int(draws.size()); ++i)
                if (draws[size_t(i)].texture == line->getPicture() && inside(centre(draws[size_t(i)]), bubble()) &&
                    draws[size_t(i)].alpha() > 0)
                    drawn = i;
            if (picture < 0 || drawn < 0)
                return -1;
            last = std::max(last, drawn);
        }
        return last;
    }
    // She talks about the building at that point where she stands, until her bubble shows its
    // words.
    bool talkAbout(int32_t unitPoint) {
        map->getPimbrelModel()->talkAbout(unitPoint);
        heroine()->startTalking();
        return stepUntil([&] { return bubbleOnShow() && !bubble()->getText()->getLines().empty(); });
    }
    // She talks at a node where her bubble covers the point (where a question's words lie). Where
    // the bubble stands from her comes from a first talk, and she never stops talking between
    // tries: a talk that ends may send her walking.
    bool talkWhereHerBubbleCovers(int32_t unitPoint, const cVector2& point) {
        if (!talkAbout(unitPoint))
            return false;
        const cVector2 offset(bubble()->getPosition().x - heroine()->getPosition().x,
                              bubble()->getPosition().y - heroine()->getPosition().y);
        const cVector2 half(std::fabs(bubble()->getSize().x) / 2, std::fabs(bubble()->getSize().y) / 2);
        for (int32_t node : map->getPimbrelModel()->getGraph()->getNodeIndices()) {
            const cVector2 at = nodePosition(node);
            if (std::fabs(at.x + offset.x - point.x) > half.x * 0.8f ||
                std::fabs(at.y + offset.y - point.y) > half.y * 0.8f)
                continue;
            standAt(node);
            if (!talkAbout(unitPoint))
                return false;
            ui.step();
            if (inside(point, bubble()))
                return true;
        }
        return false;
    }
    // The question's words and its buttons come after every draw of the bubble.
    void expectDrawnOverTheBubble(const cYesNoFrame* question) {
        const int bubbleDrawn = lastLineDraw();
        ASSERT_GE(bubbleDrawn, 0);
        const std::vector<TestSupport::DrawCall>& draws = ui.draws();
        for (const Engine::cSprite* part : {static_cast<const Engine::cSprite*>(question->getYesButton()),
                                            static_cast<const Engine::cSprite*>(question->getNoButton()),
                                            static_cast<const Engine::cSprite*>(question->getText()->getLines()[0])}) {
            int first = -1;
            for (int i = 0; i < int(draws.size()) && first < 0; ++i)
                if (draws[size_t(i)].texture == part->getPicture() && inside(centre(draws[size_t(i)]), part))
                    first = i;
            ASSERT_GE(first, 0);
            EXPECT_GT(first, bubbleDrawn);
        }
    }
    void expectWords(const std::wstring& text) {
        Engine::cMultilineText* lines = bubble()->getText();
        EXPECT_EQ(lines->getText(), text);
        ASSERT_FALSE(lines->getLines().empty()) << "the lines were never laid out";
        std::wstring shown;
        for (Engine::cLabel* line : lines->getLines()) {
            EXPECT_TRUE(line->isVisible());
            EXPECT_GT(line->getDepth(), heroine()->getDepth()) << "over the map, not under it";
            shown += line->getText() + L" ";
        }
        EXPECT_NE(shown.find_first_not_of(L' '), std::wstring::npos);
        EXPECT_GE(lastLineDraw(), 0) << "every line is drawn over the bubble";
    }
};

} // namespace

TEST_F(HeroineOnTheMapTest, HerBubbleShowsTheWordsOfHerFunnyEventsAndOfTheBuildings) {
    start();
    Engine::gIntProps["PimbrelNode"] = 30;
    openFromMenu();
    // Left alone she soon shows a funny event and says its line.
    bool talked = false;
    for (int frame = 0; frame < 400 && !talked; ++frame) {
        ui.step();
        talked = heroine()->isFunnyTalking() && bubbleOnShow();
    }
    ASSERT_TRUE(talked) << "no funny event with its bubble in 50 seconds";
    ui.step();
    const std::wstring line = bubble()->getText()->getText();
    ASSERT_GT(line.size(), 1u);
    expectWords(line);

    // At a bought hen house she says its regular line and one of its others.
    heroine()->endTalk();
    ui.run(0.5f);
    cMeadowUnit* henHouse = map->getModel()->getUnitsFeature()->getUnit(0);
    henHouse->setLevelAndVariant(1, 0);
    standAt(0);
    map->getPimbrelModel()->talkAbout(0);
    heroine()->startTalking();
    ASSERT_TRUE(stepUntil([&] { return bubbleOnShow(); }));
    const std::wstring text = bubble()->getText()->getText();
    EXPECT_EQ(text.rfind(henHouse->getRegularPhrase() + L"\n", 0), 0u) << Engine::wideToNarrow(text);
    EXPECT_GT(text.size(), henHouse->getRegularPhrase().size() + 1);
    expectWords(text);
}

TEST_F(HeroineOnTheMapTest, HerBubbleLiesUnderTheQuestionToResumeALevel) {
    start();
    openFromMenu();
    ASSERT_NE(playNextLevel(), nullptr);
    map->setLevelRunning(false);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    openFromMenu();
    cYesNoFrame* prompt = map->getSavedLevelPrompt();
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(stepUntil([&] { return !prompt->getText()->getLines().empty(); }));

    map->getModel()->getUnitsFeature()->getUnit(18)->setLevelAndVariant(1, 0);
    ASSERT_TRUE(talkWhereHerBubbleCovers(18, prompt->getText()->getPosition()));
    expectDrawnOverTheBubble(prompt);
}

TEST_F(HeroineOnTheMapTest, HerBubbleLiesUnderTheUpgradeQuestion) {
    start();
    openFromMenu();
    map->getModel()->getUnitsFeature()->getUnit(18)->setLevelAndVariant(1, 0);
    map->getModel()->addResourcePoints(1, 100000);
    cUpgradeButtonsPanel* panel = map->getUpgradePanel();
    panel->updateButtons(true);
    ui.step();
    cUpgradeButton* offer = nullptr;
    for (cUpgradeButton* button : panel->getButtons())
        if (!offer && button->isVisible() && button->isEnabled() && button->getUnit() && button->getUpgrade() &&
            button->getUpgrade()->level == button->getUnit()->getLevel() + 1)
            offer = button;
    ASSERT_NE(offer, nullptr);
    click(offer->getPosition());
    ui.run(1.5f);
    const std::vector<cUpgradeButton*>& looks = panel->getVariantButtons();
    ASSERT_TRUE(looks[1]->isVisible());
    click(looks[1]->getPosition());
    cConfirmVariantDlg* question = panel->getConfirmDlg();
    ASSERT_TRUE(question->isVisible());
    ASSERT_TRUE(stepUntil([&] { return !question->getText()->getLines().empty(); }));
    ui.run(1.0f);

    ASSERT_TRUE(talkWhereHerBubbleCovers(18, question->getText()->getPosition()));
    expectDrawnOverTheBubble(question);
}

TEST_F(HeroineOnTheMapTest, AfterAVisitToTheMainMenuSheStandsWhereSheStood) {
    start();
    Engine::gIntProps["PimbrelNode"] = 30;
    openFromMenu();
    // Standing in front of the adornment house.
    standAt(12);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 1; }));
    openFromMenu();
    EXPECT_EQ(map->getPimbrelModel()->getCurrentPoint(), 12);
    EXPECT_EQ(heroine()->getPosition(), nodePosition(12));

    // Left while she walks from there to the mill: she comes back at the node nearest to her.
    standAt(12);
    map->getPimbrelModel()->setCurrentPoint(2);
    map->getPimbrelModel()->setState(cPersonageModel::PERSONAGE_MOVE);
    heroine()->startMoving();
    ui.run(2.5f);
    ASSERT_TRUE(heroine()->isMoving());
    const cVector2 at = heroine()->getPosition();
    const int32_t nearest = map->getPimbrelModel()->getGraph()->getClosestNode(at.x, at.y)->getIndex();
    ASSERT_NE(nearest, 2);
    map->goToMainMenu();
    ASSERT_TRUE(stepUntil([&] { return menu.closes == 2; }));
    openFromMenu();
    EXPECT_EQ(heroine()->getPosition(), nodePosition(nearest));
}

TEST_F(HeroineOnTheMapTest, EveryTalkOfEveryBuildingAndEveryFunnyLineFitsHerBubble) {
    start();
    openFromMenu();
    Engine::cMultilineText* text = bubble()->getText();
    const cVector2 room = text->getSize();
    int talks = 0;
    const auto expectFits = [&](const std::wstring& a, const std::wstring& b, const std::wstring& c) {
        bubble()->setText({500, 400}, a, b, c);
        const std::string said = Engine::wideToNarrow(a + L"|" + b + L"|" + c);
        ASSERT_FALSE(text->getLines().empty()) << said;
        EXPECT_LE(float(text->getLines().size()) * text->getInterlinear(), room.y) << said;
        for (Engine::cLabel* line : text->getLines())
            EXPECT_LE(line->getTextWidth(), room.x) << said;
        ++talks;
    };
    cUnitsFeature* units = map->getModel()->getUnitsFeature();
    for (int32_t id = 0; id < units->getUnitCount(); ++id)
        for (int32_t level = 1; level < units->getUnit(id)->getUpgradeCount(); ++level) {
            const cUnitUpgrade& upgrade = units->getUnit(id)->getUpgrade(level);
            EXPECT_FALSE(upgrade.regularPhrase.empty()) << "unit " << id << " level " << level;
            EXPECT_FALSE(upgrade.randomPhrases.empty()) << "unit " << id << " level " << level;
            expectFits(upgrade.primaryPhrase, L"", L"");
            for (const std::wstring& random : upgrade.randomPhrases)
                expectFits(L"", upgrade.regularPhrase, random);
        }
    for (const cFunnyEvent& event : map->getPimbrelModel()->getFunnyEvents())
        for (const cFunnyPhrase& phrase : event.m_phrases)
            expectFits(L"", phrase.m_text, L"");
    EXPECT_GT(talks, 100);
}

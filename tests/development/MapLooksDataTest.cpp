// The named looks on the shipped data: every look the heroine, the board screen and the cats ask
// for by name is in the table that answers them ("States" of the map's layout, or the cat's own
// file). A renamed event look otherwise shows only as a throw when the event first plays.

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kView = fs::path(MEADOW_SOURCE_DIR) / "Data" / "Meadow" / "View";

std::string read(const fs::path& path) {
    return TestSupport::readFileBytes(path.string());
}

// The text between <element ...> and </element>; empty when the element is missing.
std::string section(const std::string& text, const std::string& element) {
    const size_t open = text.find("<" + element);
    const size_t close = text.find("</" + element + ">");
    if (open == std::string::npos || close == std::string::npos || close < open)
        return "";
    return text.substr(open, close - open);
}

// The "id" values of the given children.
std::set<std::string> ids(const std::string& text, const std::string& child) {
    std::set<std::string> found;
    const std::regex pattern("<" + child + "\\s[^>]*\\bid=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

int attributeInt(const std::string& text, const std::string& name) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex("\\b" + name + "=\"(\\d+)\"")))
        return -1;
    return std::stoi(match[1]);
}

std::vector<std::string> missing(const std::set<std::string>& asked, const std::set<std::string>& table) {
    std::vector<std::string> out;
    std::set_difference(asked.begin(), asked.end(), table.begin(), table.end(), std::back_inserter(out));
    return out;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::set<std::string> mapStates() {
    return ids(section(read(kView / "DevelopmentView.xml"), "States"), "State");
}

TEST(MapLooksData, TheHeroinesLooksAndEventsAreInTheMapsStates) {
    const std::set<std::string> table = mapStates();
    ASSERT_FALSE(table.empty());
    // Standing, talking and the five walking directions, then each funny event of her file.
    std::set<std::string> asked = {"pers_idle",          "pers_talk",       "pers_move_up",
                                   "pers_move_up_right", "pers_move_right", "pers_move_down_right",
                                   "pers_move_down"};
    const std::set<std::string> events = ids(section(read(kView / "Pimbrel.xml"), "PersonageFunnyEvents"), "Event");
    EXPECT_FALSE(events.empty());
    asked.insert(events.begin(), events.end());
    EXPECT_EQ(joined(missing(asked, table)), "");
}

TEST(MapLooksData, TheBoardsCellLooksAreInTheMapsStates) {
    const std::set<std::string> table = mapStates();
    // Kinds of cell: as many looks each as the board's layout says.
    const std::string field = read(kView / "FieldView.xml");
    std::set<std::string> asked = {"selection", "cell0"};
    for (const char* kind : {"simple", "wood", "iron"}) {
        const int count = attributeInt(field, std::string(kind) + "_types");
        EXPECT_GT(count, 0) << kind;
        for (int i = 0; i < count; ++i)
            asked.insert(kind + std::to_string(i));
    }
    // Locks: every count a shipped level's cells carry (bits 4-7 of the cell's code).
    const std::string levels = read(fs::path(MEADOW_SOURCE_DIR) / "Data" / "Meadow" / "Model" / "GameLevels.xml");
    const std::regex row("cells=\"([0-9_]+)\"");
    int rows = 0;
    for (auto it = std::sregex_iterator(levels.begin(), levels.end(), row); it != std::sregex_iterator(); ++it) {
        ++rows;
        const std::string cells = (*it)[1];
        size_t start = 0;
        while (start <= cells.size()) {
            const size_t end = std::min(cells.find('_', start), cells.size());
            const unsigned long code = std::stoul(cells.substr(start, end - start));
            if (const unsigned long locks = (code >> 4) & 15u)
                for (unsigned long n = 1; n <= locks; ++n)
                    asked.insert("cell_locks" + std::to_string(n));
            start = end + 1;
        }
    }
    EXPECT_GT(rows, 0);
    EXPECT_EQ(joined(missing(asked, table)), "");
}

// The bonus effects on the board ask the board's owner, the map, for their looks too.
TEST(MapLooksData, TheBonusEffectsLooksAreInTheMapsStates) {
    std::set<std::string> asked = {"falling_bear", "eating_bear", "mixing_bees"};
    for (const char* direction : {"up", "up_left", "left", "down_left", "down"})
        asked.insert(std::string("cat_move_") + direction);
    for (const char* kind : {"wood_part_", "iron_part_"})
        for (int i = 0; i < 4; ++i)
            asked.insert(kind + std::to_string(i));
    EXPECT_EQ(joined(missing(asked, mapStates())), "");
}

TEST(MapLooksData, EachCatsLooksAndEventsAreInItsOwnStates) {
    int cats = 0;
    for (const auto& entry : fs::directory_iterator(kView / "personage")) {
        const fs::path file = entry.path() / "cat.xml";
        if (!fs::exists(file))
            continue;
        ++cats;
        const std::string text = read(file);
        const std::set<std::string> table = ids(section(text, "States"), "State");
        std::set<std::string> asked = {"cat_pers_idle",      "cat_pers_move_up",        "cat_pers_move_up_left",
                                       "cat_pers_move_left", "cat_pers_move_down_left", "cat_pers_move_down"};
        const std::set<std::string> events = ids(section(text, "PersonageFunnyEvents"), "Event");
        EXPECT_FALSE(events.empty()) << file;
        asked.insert(events.begin(), events.end());
        EXPECT_EQ(joined(missing(asked, table)), "") << file;
    }
    EXPECT_EQ(cats, 3);
}

} // namespace

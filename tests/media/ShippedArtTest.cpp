// The pictures shipped under Data/: every one decodes through the engine's decoders, every
// atlas frame lies inside its page without overlapping another, and every picture the style
// page promises is there at its documented size.

#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/XmlNode.h"
#include "engine/media/ImageDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;

namespace {

const std::string DATA = MEADOW_SHIPPED_DATA_DIR;

cImage decodeName(const std::string& name) {
    std::vector<uint8_t> bytes;
    getFileSystem()->readFile(name, bytes);
    cImage image;
    cImageDecoder::decode(bytes.data(), bytes.size(), image);
    return image;
}

struct Frame {
    std::string name;
    int page;
    int x, y, w, h;
};

class ShippedArt : public ::testing::Test {
protected:
    void SetUp() override {
        m_fileSystem = std::make_unique<cFileSystem>(std::wstring(DATA.begin(), DATA.end()), "pack");
        m_manager = std::make_unique<cResourceManager>();
    }
    void TearDown() override {
        m_manager.reset();
        m_fileSystem.reset();
    }

    // The atlas pages and their frames as "atlases.xml" lists them.
    void readAtlases(std::vector<std::string>& pages, std::vector<Frame>& frames) {
        IXmlNode* atlases = m_manager->getXml("atlases.xml");
        for (int i = 0; i < atlases->getNodeCount(); ++i) {
            IXmlNode* atlas = nullptr;
            ASSERT_TRUE(atlases->getNodeAt(i, atlas));
            std::string path, mapPath;
            ASSERT_TRUE(atlas->getValue("Path", path));
            ASSERT_TRUE(atlas->getValue("Map", mapPath));
            pages.push_back(path);
            IXmlNode* map = m_manager->getXml(mapPath);
            for (int j = 0; j < map->getNodeCount(); ++j) {
                IXmlNode* picture = nullptr;
                ASSERT_TRUE(map->getNodeAt(j, picture));
                std::string name;
                ASSERT_TRUE(picture->getValue("Name", name));
                const cAtlasFrame& entry = m_manager->getAtlasEntry(name);
                frames.push_back({name, entry.index, int(entry.position.x), int(entry.position.y), int(entry.size.x),
                                  int(entry.size.y)});
            }
        }
    }

    std::unique_ptr<cFileSystem> m_fileSystem;
    std::unique_ptr<cResourceManager> m_manager;
};

TEST_F(ShippedArt, EveryShippedPictureDecodes) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DATA)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".png" && ext != ".jpg" && ext != ".tga" && ext != ".dds"))
            continue;
        const std::string name = std::filesystem::relative(entry.path(), DATA).generic_string();
        SCOPED_TRACE(name);
        const cImage image = decodeName(name);
        EXPECT_GT(image.width, 0);
        EXPECT_GT(image.height, 0);
        ++count;
    }
    EXPECT_GE(count, 4);
}

TEST_F(ShippedArt, AtlasFramesLieInsideTheirPagesApartAndNotEmpty) {
    std::vector<std::string> pages;
    std::vector<Frame> frames;
    readAtlases(pages, frames);
    ASSERT_FALSE(pages.empty());
    ASSERT_FALSE(frames.empty());
    std::vector<cImage> images;
    for (const std::string& page : pages)
        images.push_back(decodeName(page));
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        SCOPED_TRACE(f.name);
        ASSERT_GE(f.page, 0);
        ASSERT_LT(size_t(f.page), images.size());
        // The texture path of the picture leads to its page.
        std::string imagePath;
        ASSERT_TRUE(m_manager->findAtlasImage(f.name, imagePath));
        const cImage& image = images[size_t(f.page)];
        EXPECT_GT(f.w, 0);
        EXPECT_GT(f.h, 0);
        EXPECT_GE(f.x, 0);
        EXPECT_GE(f.y, 0);
        EXPECT_LE(f.x + f.w, image.width);
        EXPECT_LE(f.y + f.h, image.height);
        for (size_t j = i + 1; j < frames.size(); ++j) {
            const Frame& g = frames[j];
            const bool apart =
                g.page != f.page || g.x >= f.x + f.w || f.x >= g.x + g.w || g.y >= f.y + f.h || f.y >= g.y + g.h;
            EXPECT_TRUE(apart) << "overlaps " << g.name;
        }
        // A frame that the packer failed to copy would be fully transparent.
        bool drawn = false;
        for (int y = f.y; y < f.y + f.h && !drawn && y < image.height; ++y)
            for (int x = f.x; x < f.x + f.w && !drawn && x < image.width; ++x)
                drawn = (image.pixels[size_t(y) * size_t(image.width) + size_t(x)] >> 24) != 0;
        EXPECT_TRUE(drawn);
    }
}

// The pictures the style page (docs/art-style.md) promises, with their sizes: sheets are
// frames laid side by side.
TEST_F(ShippedArt, EveryPromisedPictureIsThereAtItsSize) {
    struct Promise {
        std::string name;
        int w, h;
    };
    std::vector<Promise> promises;
    const std::string pieces = "meadow/images/pieces/", cells = "meadow/images/cells/", board = "meadow/images/board/",
                      ui = "ui/images/";
    for (int i = 1; i <= 8; ++i)
        promises.push_back({pieces + "piece" + std::to_string(i) + ".png", 8 * 64, 64});
    for (const char* name : {"egg", "egg_gold", "honey", "honey_comb", "milk", "mix", "prize_gold", "prize_vehicle",
                             "bonus_blast", "bonus_row", "bonus_column", "bonus_cross"})
        promises.push_back({pieces + name + ".png", 8 * 64, 64});
    for (const char* name :
         {"cell0", "simple0", "simple1", "wood0", "wood1", "iron0", "iron1", "cell_locks1", "cell_locks2"})
        promises.push_back({cells + name + ".png", 64, 64});
    for (int i = 0; i < 4; ++i) {
        promises.push_back({cells + "wood_part_" + std::to_string(i) + ".png", 32, 32});
        promises.push_back({cells + "iron_part_" + std::to_string(i) + ".png", 32, 32});
    }
    const int borderSizes[12][2] = {{64, 10}, {10, 10}, {10, 64}, {10, 10}, {64, 10}, {10, 10},
                                    {10, 64}, {10, 10}, {10, 10}, {10, 10}, {10, 10}, {10, 10}};
    for (int i = 0; i < 12; ++i)
        promises.push_back({cells + "border" + std::to_string(i) + ".png", borderSizes[i][0], borderSizes[i][1]});
    promises.push_back({cells + "selection.png", 8 * 80, 80});
    promises.push_back({board + "bee.png", 8 * 48, 48});
    promises.push_back({board + "trigger.png", 8 * 64, 64});
    promises.push_back({board + "trigger_base.png", 64, 64});
    promises.push_back({board + "icon_vehicle.png", 32, 32});
    promises.push_back({board + "icon_gold.png", 32, 32});
    promises.push_back({board + "money.png", 40, 40});
    promises.push_back({board + "bonus_button.png", 4 * 88, 88});
    for (const char* name : {"bonus_chicken", "bonus_bear", "bonus_cat", "bonus_shuffle"})
        promises.push_back({board + name + ".png", 56, 56});
    for (const char* name : {"bar_track", "bar_fill", "bar_full"})
        promises.push_back({board + name + ".png", 80, 16});
    promises.push_back({board + "bonus_glow.png", 120, 120});
    for (const char* colour : {"red", "blue", "green", "yellow"}) {
        promises.push_back({board + "vehicle_head_" + colour + ".png", 96, 72});
        promises.push_back({board + "vehicle_trailer_" + colour + ".png", 80, 72});
        promises.push_back({board + "vehicle_doors_" + colour + ".png", 80, 72});
    }
    for (int i = 1; i <= 3; ++i)
        promises.push_back({board + "driver" + std::to_string(i) + ".png", 4 * 40, 40});
    promises.push_back({board + "slot_done.png", 32, 32});
    promises.push_back({board + "results_panel.png", 480, 380});
    promises.push_back({board + "flying_star.png", 40, 40});
    promises.push_back({ui + "panel_small.png", 416, 256});
    promises.push_back({ui + "panel_medium.png", 496, 336});
    promises.push_back({ui + "panel_large.png", 576, 436});
    promises.push_back({ui + "button_wide.png", 4 * 216, 72});
    promises.push_back({ui + "button_small.png", 4 * 136, 60});
    promises.push_back({ui + "arrow_up.png", 4 * 60, 60});
    promises.push_back({ui + "arrow_down.png", 4 * 60, 60});
    promises.push_back({ui + "list_row.png", 2 * 360, 40});
    promises.push_back({ui + "name_field.png", 320, 48});
    promises.push_back({ui + "logo.png", 520, 170});

    for (const Promise& p : promises) {
        SCOPED_TRACE(p.name);
        // Any letter case reaches the picture, as the resource manager promises.
        ASSERT_TRUE(m_manager->hasAtlasEntry(p.name));
        const cAtlasFrame& frame = m_manager->getAtlasEntry(p.name);
        EXPECT_EQ(int(frame.size.x), p.w);
        EXPECT_EQ(int(frame.size.y), p.h);
    }
    for (const char* background :
         {"Meadow/Images/Backgrounds/level_bg1.png", "Meadow/Images/Backgrounds/level_bg2.png"}) {
        SCOPED_TRACE(background);
        const cImage image = decodeName(background);
        EXPECT_EQ(image.width, 1024);
        EXPECT_EQ(image.height, 768);
    }
}

// The map's pictures (docs/art-style.md, "The map"): every building at each level in three
// colours with its falling parts, the work icons, the characters, the animals and the interface.
TEST_F(ShippedArt, EveryMapPictureIsThereAtItsSize) {
    struct Unit {
        const char* stem;
        int levels;
        bool small;
    };
    const Unit units[26] = {{"hen_house", 3, false},
                            {"cheese_house", 2, false},
                            {"mill_house", 2, false},
                            {"bee_house", 2, false},
                            {"bakery", 2, false},
                            {"cake_house", 2, false},
                            {"goat_house", 2, false},
                            {"wool_house", 1, false},
                            {"cow_house", 2, false},
                            {"spinning_house", 2, false},
                            {"textile_house", 1, false},
                            {"molding_house", 1, false},
                            {"adornment_house", 1, false},
                            {"warehouse", 3, false},
                            {"clothes_house", 1, false},
                            {"stone_house", 2, false},
                            {"pier", 2, false},
                            {"seed_bed", 2, true},
                            {"bench", 1, true},
                            {"water_pump", 2, true},
                            {"fountain", 2, true},
                            {"dog_house", 1, true},
                            {"bird_house", 2, false},
                            {"butterfly_factory", 1, false},
                            {"cats_factory", 1, false},
                            {"dogs_factory", 1, false}};
    auto expectSize = [&](const std::string& name, int w, int h) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(m_manager->hasAtlasEntry(name));
        const cAtlasFrame& frame = m_manager->getAtlasEntry(name);
        EXPECT_EQ(int(frame.size.x), w);
        EXPECT_EQ(int(frame.size.y), h);
    };
    const std::string buildings = "Map/Images/Buildings/";
    for (const Unit& u : units) {
        // Drawn larger than their drawing units (1.25, the small ones 1.4), so they read at a glance.
        const int w = u.small ? 140 : 176, h = u.small ? 126 : 150;
        // The marked plot it stands on until it is bought: the lower part of its canvas.
        expectSize(buildings + u.stem + "_plot.png", w, u.small ? 64 : 72);
        for (int level = 1; level <= u.levels; ++level) {
            const std::string stem = buildings + u.stem + std::to_string(level);
            for (int v = 1; v <= 3; ++v)
                expectSize(stem + "_" + std::to_string(v) + ".png", w, h);
            // A level drops in as at least two parts, each on the building's own canvas.
            int parts = 0;
            for (const char* part : {"_part_ground", "_part_walls", "_part_roof1", "_part_extras1"}) {
                const std::string name = stem + part + ".png";
                if (!m_manager->hasAtlasEntry(name))
                    continue;
                expectSize(name, w, h);
                ++parts;
            }
            EXPECT_GE(parts, 2) << stem;
        }
        expectSize(std::string("Map/Images/WorkIcons/") + u.stem + ".png", 48, 48);
    }
    const std::string characters = "Map/Images/Characters/";
    for (const char* sheet : {"idle", "talk", "walk_up", "walk_upright", "walk_right", "walk_downright", "walk_down",
                              "event1", "event2", "event3"})
        expectSize(characters + "girl_" + sheet + ".png", 8 * 48, 72);
    for (int n = 1; n <= 3; ++n)
        for (const char* sheet : {"idle", "walk_up", "walk_upleft", "walk_left", "walk_downleft", "walk_down", "event1",
                                  "event2", "event3", "birdhouse"})
            expectSize(characters + "cat" + std::to_string(n) + "_" + sheet + ".png", 8 * 48, 40);
    expectSize(characters + "bubble_small.png", 160, 80);
    expectSize(characters + "bubble_medium.png", 240, 110);
    expectSize(characters + "bubble_large.png", 320, 140);
    const std::string animals = "Map/Images/Animals/";
    const struct {
        const char* name;
        int w, h;
    } loops[] = {{"chicken", 32, 32},    {"chicken_brown", 32, 32}, {"cow", 64, 48},         {"goat", 48, 44},
                 {"sheep", 48, 40},      {"bird", 24, 24},          {"bird_flying", 32, 24}, {"bee", 20, 20},
                 {"butterfly1", 32, 32}, {"butterfly2", 32, 32},    {"butterfly3", 32, 32}};
    for (const auto& loop : loops)
        expectSize(animals + loop.name + ".png", 8 * loop.w, loop.h);
    const std::string ui = "Map/Images/Interface/";
    expectSize(ui + "button_level.png", 4 * 80, 80);
    expectSize(ui + "button_menu.png", 4 * 60, 60);
    expectSize(ui + "button_show_all.png", 4 * 60, 60);
    expectSize(ui + "money_plate.png", 200, 52);
    expectSize(ui + "panel_bottom.png", 1024, 110);
    expectSize(ui + "dust.png", 8 * 128, 64);
    const cImage map = decodeName("Meadow/Images/Backgrounds/map_bg.png");
    EXPECT_EQ(map.width, 1024);
    EXPECT_EQ(map.height, 768);
}

// The game ships the 1x set only: every packed picture sits in an "Images" folder.
TEST_F(ShippedArt, AtlasesHoldTheSingleSizeSetOnly) {
    std::vector<std::string> pages;
    std::vector<Frame> frames;
    readAtlases(pages, frames);
    ASSERT_FALSE(frames.empty());
    for (const Frame& f : frames)
        EXPECT_NE(f.name.find("/Images/"), std::string::npos) << f.name;
}

} // namespace

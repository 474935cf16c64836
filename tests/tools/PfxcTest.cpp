// Runs the built pfxc: the shipped effects are what their descriptions compile to, and a faulty
// description is refused with its line and leaves no file.

#include "engine/media/ImageDecoder.h"
#include "engine/media/ParticleEffectFormat.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace Engine;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun runPfxc(const TestSupport::TempFolder& folder, const std::string& arguments) {
    const std::string command =
        "\"" + std::string(MEADOW_PFXC) + "\" " + arguments + " >" + folder.file("out.txt") + " 2>&1";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = folder.exists("out.txt") ? folder.read("out.txt") : "";
    return run;
}

// The file with its textures decoded, written again: PNG encoders may differ, pixels may not.
std::vector<uint8_t> canonical(const std::string& bytes) {
    cParticleEffectDesc effect;
    cParticleEffectFormat::read(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), effect);
    for (std::vector<uint8_t>& texture : effect.textures) {
        cImage image;
        cImageDecoder::decode(texture.data(), texture.size(), image);
        texture.assign(reinterpret_cast<const uint8_t*>(image.pixels.data()),
                       reinterpret_cast<const uint8_t*>(image.pixels.data() + image.pixels.size()));
    }
    return cParticleEffectFormat::write(effect);
}

} // namespace

TEST(Pfxc, ShippedEffectsAreWhatTheirDescriptionsCompileTo) {
    TestSupport::TempFolder folder;
    const std::filesystem::path sources = std::filesystem::path(MEADOW_SOURCE_DIR) / "tools/pfxc/effects";
    const std::filesystem::path shipped = std::filesystem::path(MEADOW_SOURCE_DIR) / "Data/Effects";
    size_t compiled = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sources)) {
        if (entry.path().extension() != ".xml")
            continue;
        const std::string name = entry.path().stem().string();
        const ToolRun run = runPfxc(folder, "\"" + entry.path().string() + "\" \"" + folder.file(name + ".pfx") + "\"");
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.output;
        ASSERT_TRUE(std::filesystem::exists(shipped / (name + ".pfx"))) << name << " is not shipped";
        std::ifstream in(shipped / (name + ".pfx"), std::ios::binary);
        const std::string committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(canonical(folder.read(name + ".pfx")), canonical(committed)) << name;
        ++compiled;
    }
    size_t shippedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(shipped))
        shippedCount += entry.path().extension() == ".pfx";
    // Every shipped effect has its description.
    EXPECT_EQ(compiled, shippedCount);
    EXPECT_GE(compiled, 7u);
}

TEST(Pfxc, FaultyDescriptionsAreRefusedWithTheirLine) {
    const std::string texture = "<texture name=\"t\" kind=\"dot\"/>";
    struct Case {
        std::string body, message;
    };
    const Case cases[] = {
        {"<emitter>\n<layer texture=\"none\"/></emitter>", "line 2: unknown texture \"none\""},
        {"<emitter>\n<layer max=\"-1\"/></emitter>", "line 2: attribute max=\"-1\" is not a whole number"},
        {"<emitter>\n<layer max=\"1e12\"/></emitter>", "line 2: attribute max=\"1e12\" is not a whole number"},
        {"<emitter>\n<layer burst=\"2.5\"/></emitter>", "line 2: attribute burst=\"2.5\" is not a whole number"},
        {"\n<texture name=\"t\" kind=\"dot\" size=\"100000\"/>", "line 2: attribute size=\"100000\" is not a whole"},
        {"<emitter>\n<layer life=\"1 2 3\"/></emitter>", "line 2: attribute life=\"1 2 3\" is not a number or range"},
        {"<emitter>\n<layer speed=\"1 fast\"/></emitter>", "attribute speed=\"1 fast\" is not a number or range"},
        {"<emitter><layer>\n<color value=\"red\"/></layer></emitter>", "line 2: colour \"red\" is not #RRGGBB"},
        {"<emitter>\n<layer blend=\"multiply\"/></emitter>", "line 2: unknown blend \"multiply\""},
        {"<emitter><layer life=\"2 1\"/></emitter>", "life out of range"},
        {texture, "no emitter"},
        {"<emitter>\n<layer>", "line 2: "},
    };
    for (const Case& c : cases) {
        TestSupport::TempFolder folder;
        folder.write("in.xml", "<effect>" + c.body + "</effect>");
        const ToolRun run = runPfxc(folder, folder.file("in.xml") + " " + folder.file("out.pfx"));
        EXPECT_EQ(run.exitCode, 1) << c.body;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_FALSE(folder.exists("out.pfx")) << c.body;
    }
}

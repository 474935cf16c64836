// levelgen: designs the game's levels along the difficulty curve, proves each one with the
// level checker (a greedy player must win it with every seed, within the move cap of its
// place on the curve) and writes the levels file in the level editor's layout.
//
//   levelgen --model Data/Meadow/Model/GameModel.xml --out Data/Meadow/Model/GameLevels.xml [--seed N] [--verbose]
//
// --verbose lists why each rejected design failed.
//
// It prints the moves the greedy player took on each level, to tune the curve.

#include "engine/core/XmlDocument.h"
#include "game/model/LevelChecker.h"
#include "game/model/MeadowModel.h"
#include "tools/levelgen/LevelDesigner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Seeds a level must be won with; the tests use the first three.
const std::vector<uint32_t> kSeeds = {1, 2, 3, 4, 5, 6};
const int32_t kAttempts = 60;

// The most moves the greedy player may need on a level: the curve rises slowly, and stays
// well below the checker's budget so that a change in the board's random draws does not
// push a level over it.
int32_t moveCap(int32_t index) {
    return 30 + index / 2;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<Engine::cXmlDocument> parse(const std::string& text, const std::string& what) {
    auto document = std::make_unique<Engine::cXmlDocument>();
    if (!document->parseBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        throw std::runtime_error(what + " does not parse");
    return document;
}

std::unique_ptr<cMeadowModel> makeModel(Engine::cXmlDocument& modelXml, const std::string& levels) {
    auto levelsXml = parse(levels, "levels");
    return std::make_unique<cMeadowModel>(&modelXml, levelsXml.get());
}

int32_t mostMoves(const cLevelCheckReport& report) {
    return report.moves.empty() ? 0 : *std::max_element(report.moves.begin(), report.moves.end());
}

std::string movesText(const cLevelCheckReport& report) {
    std::string text;
    for (int32_t moves : report.moves)
        text += (text.empty() ? "" : " ") + std::to_string(moves);
    return text;
}

int run(int argc, char** argv) {
    std::string modelPath = "Data/Meadow/Model/GameModel.xml";
    std::string outPath = "Data/Meadow/Model/GameLevels.xml";
    uint32_t seed = 2026;
    bool verbose = false;
    for (int i = 1; i < argc; i += 2) {
        if (!std::strcmp(argv[i], "--verbose")) {
            verbose = true;
            --i;
        } else if (i + 1 >= argc)
            throw std::runtime_error(std::string("option without value: ") + argv[i]);
        else if (!std::strcmp(argv[i], "--model"))
            modelPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--out"))
            outPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--seed"))
            seed = uint32_t(std::stoul(argv[i + 1]));
        else
            throw std::runtime_error(std::string("unknown option ") + argv[i]);
    }
    auto modelXml = parse(readFile(modelPath), modelPath);

    cLevelDesigner designer;
    std::string levels;
    for (int32_t index = 0; index < cLevelDesigner::LEVEL_COUNT; ++index) {
        std::string chosen;
        std::string note;
        for (int32_t attempt = 0; attempt < kAttempts && chosen.empty(); ++attempt) {
            const std::string level = designer.design(seed, index, attempt).toXml();
            if (levels.find(level) != std::string::npos)
                continue;
            auto model = makeModel(*modelXml, "<Levels>\n" + level + "</Levels>\n");
            const cLevelCheckReport report = cLevelChecker::checkLevel(*model, 0, kSeeds);
            if (verbose)
                for (const std::string& problem : report.problems)
                    std::printf("level %3d attempt %d: %s\n", index + 1, attempt, problem.c_str());
            if (report.passed() && mostMoves(report) <= moveCap(index)) {
                chosen = level;
                note = "attempt " + std::to_string(attempt) + ", moves " + movesText(report);
            }
        }
        if (chosen.empty())
            throw std::runtime_error("no design of level " + std::to_string(index + 1) + " passed the checker");
        std::printf("level %3d: %s\n", index + 1, note.c_str());
        std::fflush(stdout);
        levels += chosen;
    }

    // The file goes out exactly as the level editor writes it.
    auto model = makeModel(*modelXml, "<Levels>\n" + levels + "</Levels>\n");
    const std::wstring text = model->buildLevelsXml();
    std::ofstream out(outPath, std::ios::binary);
    out << std::string(text.begin(), text.end());
    if (!out.flush())
        throw std::runtime_error("cannot write " + outPath);
    std::printf("wrote %d levels to %s\n", model->getLevelCount(), outPath.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::string& text) {
        std::fprintf(stderr, "levelgen: %s\n", text.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "levelgen: %s\n", e.what());
    }
    return 1;
}

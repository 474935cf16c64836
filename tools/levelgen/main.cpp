// levelgen: designs the game's levels along the difficulty curve, proves each one with the
// level checker (a greedy player must win it with every seed, within the move cap of its
// place on the curve, and with many more seeds, as the game deals boards from any seed) and writes the levels file in
// the level editor's layout.
//
//   levelgen --model Data/Meadow/Model/GameModel.xml --out Data/Meadow/Model/GameLevels.xml [--seed N] [--verbose]
//   levelgen --check Data/Meadow/Model/GameLevels.xml [--levels FIRST-LAST] [--seeds FIRST-LAST] [--budget MOVES]
//
// --verbose lists why each rejected design failed. --check proves the levels of a levels file
// (1-based numbers, all of them by default) with the seeds given (1-6 by default), prints each
// level's moves and problems, and exits with 1 when one fails.
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
#include <utility>
#include <vector>

namespace {

// Seeds a level must be won with within its move cap; the tests use the first three.
const std::vector<uint32_t> kSeeds = {1, 2, 3, 4, 5, 6};
// Seeds it must then be won with, within a budget of moves well below the 400 the game's own
// scripted player (tests/app) makes before it gives up.
const uint32_t kMoreSeedsFirst = 7, kMoreSeedsLast = 66;
const int32_t kMoreSeedsBudget = 200;
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

// "A-B" or "A" as the numbers from A to B.
std::pair<int32_t, int32_t> parseRange(const std::string& text) {
    const size_t dash = text.find('-');
    const int32_t first = int32_t(std::stol(text.substr(0, dash)));
    const int32_t last = dash == std::string::npos ? first : int32_t(std::stol(text.substr(dash + 1)));
    if (first > last)
        throw std::runtime_error("empty range " + text);
    return {first, last};
}

int check(Engine::cXmlDocument& modelXml, const std::string& levelsPath, std::pair<int32_t, int32_t> levels,
          std::pair<int32_t, int32_t> seeds, int32_t budget) {
    auto model = makeModel(modelXml, readFile(levelsPath));
    std::vector<uint32_t> seedList;
    for (int32_t s = seeds.first; s <= seeds.second; ++s)
        seedList.push_back(uint32_t(s));
    levels.second = std::min(levels.second, model->getLevelCount());
    int32_t failed = 0;
    for (int32_t level = std::max(levels.first, 1); level <= levels.second; ++level) {
        const cLevelCheckReport report = cLevelChecker::checkLevel(*model, level - 1, seedList, budget);
        std::printf("level %3d: moves %s\n", level, movesText(report).c_str());
        for (const std::string& problem : report.problems)
            std::printf("level %3d: %s\n", level, problem.c_str());
        failed += report.passed() ? 0 : 1;
        std::fflush(stdout);
    }
    std::printf("%d levels failed\n", failed);
    return failed ? 1 : 0;
}

int run(int argc, char** argv) {
    std::string modelPath = "Data/Meadow/Model/GameModel.xml";
    std::string outPath = "Data/Meadow/Model/GameLevels.xml";
    uint32_t seed = 2026;
    bool verbose = false;
    std::string checkPath;
    std::pair<int32_t, int32_t> levelRange{1, cLevelDesigner::LEVEL_COUNT}, seedRange{1, 6};
    int32_t budget = cLevelChecker::DEFAULT_MOVE_BUDGET;
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
        else if (!std::strcmp(argv[i], "--check"))
            checkPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--levels"))
            levelRange = parseRange(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seeds"))
            seedRange = parseRange(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--budget"))
            budget = int32_t(std::stol(argv[i + 1]));
        else
            throw std::runtime_error(std::string("unknown option ") + argv[i]);
    }
    auto modelXml = parse(readFile(modelPath), modelPath);
    if (!checkPath.empty())
        return check(*modelXml, checkPath, levelRange, seedRange, budget);

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
            if (!report.passed() || mostMoves(report) > moveCap(index))
                continue;
            std::vector<uint32_t> moreSeeds;
            for (uint32_t s = kMoreSeedsFirst; s <= kMoreSeedsLast; ++s)
                moreSeeds.push_back(s);
            const cLevelCheckReport more = cLevelChecker::checkLevel(*model, 0, moreSeeds, kMoreSeedsBudget);
            if (verbose)
                for (const std::string& problem : more.problems)
                    std::printf("level %3d attempt %d: %s\n", index + 1, attempt, problem.c_str());
            if (more.passed()) {
                chosen = level;
                note = "attempt " + std::to_string(attempt) + ", moves " + movesText(report) + ", at most " +
                       std::to_string(mostMoves(more)) + " with seeds " + std::to_string(kMoreSeedsFirst) + "-" +
                       std::to_string(kMoreSeedsLast);
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

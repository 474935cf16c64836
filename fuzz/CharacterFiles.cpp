// libFuzzer target: arbitrary bytes as a character file of the map, loaded by the heroine's and
// the cat's models, then walked: nearest node, neighbours and the path between the first and
// the last node. A malformed file must end in a thrown message, never in a crash or a hang.

#include "engine/core/XmlDocument.h"
#include "game/development/CatPersonModel.h"
#include "game/development/PersonageModel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void walk(cPersonageModel& character) {
    cGraph* graph = character.getGraph();
    if (!graph || graph->getNodeCount() == 0)
        return;
    const std::vector<int32_t> nodes = graph->getNodeIndices();
    graph->getNeighbours(nodes.front());
    graph->findPath(nodes.front(), nodes.back());
    graph->findPath(nodes.back(), nodes.front());
    graph->getClosestNode(0.0f, 0.0f);
    for (const cFunnyEvent& event : character.getFunnyEvents())
        event.getRandomPhrase(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    Engine::cXmlDocument input;
    try {
        // An element that copies another one reads that one through the file system, which is not here.
        if (!input.parseBytes(data, size))
            return 0;
    } catch (const std::string&) {
        return 0;
    }
    try {
        cPersonageModel pimbrel;
        pimbrel.loadXML(&input, cPersonageModel::FILE_NAME);
        walk(pimbrel);
    } catch (const std::string&) {
    }
    try {
        cCatPersonModel cat;
        cat.loadXML(&input, cCatPersonModel::fileName(0));
        cat.reset();
        walk(cat);
    } catch (const std::string&) {
    }
    return 0;
}

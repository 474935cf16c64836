#include "game/development/Graph.h"

#include "tests/model/XmlFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Point {
    int index;
    const char* position;
};

std::string graphXml(const std::vector<Point>& points, const std::vector<std::pair<int, int>>& arcs) {
    std::string xml = "<Graph><Points>";
    for (const Point& p : points)
        xml += "<Point index=\"" + std::to_string(p.index) + "\" position=\"" + p.position + "\"/>";
    xml += "</Points><Arcs>";
    for (const auto& [a, b] : arcs)
        xml += "<Arc node1=\"" + std::to_string(a) + "\" node2=\"" + std::to_string(b) + "\"/>";
    return xml + "</Arcs></Graph>";
}

void load(cGraph& graph, const std::string& xml) {
    auto document = TestModel::parseXml(xml);
    graph.loadXML(document.get());
}

std::vector<int> indices(const cGraph::tNodeList& nodes) {
    std::vector<int> result;
    for (cGraphNode* node : nodes)
        result.push_back(node->getIndex());
    return result;
}

// 0-1 directly (length 6) and through 2 (lengths 3 and 4); 0-3-4 a chain up; 5-6 apart; 7 alone.
std::string mapXml() {
    return graphXml({{0, "0 0"},
                     {1, "6 0"},
                     {2, "2.4166667 1.7776"},
                     {3, "0 10"},
                     {4, "0 20"},
                     {5, "50 50"},
                     {6, "60 50"},
                     {7, "100 100"}},
                    {{0, 1}, {0, 2}, {2, 1}, {0, 3}, {3, 4}, {5, 6}});
}

} // namespace

TEST(Graph, FindsTheCheapestChainOrNone) {
    cGraph graph;
    load(graph, mapXml());
    struct Case {
        int start, goal;
        std::vector<int> path;
    } cases[] = {
        {0, 0, {}},              // to itself
        {0, 1, {0, 2, 1}},       // 9 + 16 beats 36
        {0, 4, {0, 3, 4}},       // through a third node, start first
        {4, 1, {4, 3, 0, 2, 1}}, // both ways along the arcs
        {5, 6, {5, 6}},          // the other component
        {0, 5, {}},              // not joined
        {0, 7, {}},              // an isolated node
        {99, 1, {}},             // unknown start reaches nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " -> " + std::to_string(c.goal));
        EXPECT_EQ(indices(graph.findPath(c.start, c.goal)), c.path);
    }
    EXPECT_EQ(TestModel::thrownText([&] { graph.findPath(0, 42); }),
              "cGraph::getNode(): node with an index = 42 doesn't exist in a graph");

    // A search starts with the start node before itself at no cost and every other node unreached.
    graph.initSearch(3);
    for (int32_t index : graph.getNodeIndices()) {
        SCOPED_TRACE(index);
        EXPECT_EQ(graph.getNode(index)->getPrevious(), index == 3 ? 3 : -1);
        EXPECT_EQ(graph.getNode(index)->getDistance(), index == 3 ? 0.0f : 1e10f);
    }
}

TEST(Graph, NeighboursFollowTheArcsInFileOrderBothWays) {
    cGraph graph;
    load(graph, graphXml({{1, "0 0"}, {2, "1 0"}, {3, "2 0"}}, {{2, 1}, {1, 3}, {1, 1}}));
    EXPECT_EQ(indices(graph.getNeighbours(1)), (std::vector<int>{2, 3, 1, 1}));
    EXPECT_EQ(indices(graph.getNeighbours(3)), (std::vector<int>{1}));
    EXPECT_TRUE(graph.getNeighbours(9).empty());
    EXPECT_EQ(indices(graph.findPath(3, 2)), (std::vector<int>{3, 1, 2}));
}

TEST(Graph, ClosestNodeKeepsTheLowerIndexOnATie) {
    cGraph graph;
    load(graph, graphXml({{4, "10 0"}, {2, "-10 0"}, {7, "0 30"}, {9, "1e6 0"}}, {}));
    EXPECT_EQ(graph.getClosestNode(0, 0)->getIndex(), 2);
    EXPECT_EQ(graph.getClosestNode(1, 0)->getIndex(), 4);
    EXPECT_EQ(graph.getClosestNode(0, 25)->getIndex(), 7);
    EXPECT_EQ(graph.getClosestNode(1e6f, 0)->getIndex(), 9);
    EXPECT_EQ(graph.getNodeIndices(), (std::vector<int32_t>{2, 4, 7, 9}));

    // A node 1e5 or more away is never found.
    cGraph far;
    load(far, graphXml({{0, "0 0"}}, {}));
    EXPECT_EQ(TestModel::thrownText([&] { far.getClosestNode(2e5f, 0); }),
              "cGraph::getClosestNode(): no one node was found. Maybe graph hasn't nodes.");
}

TEST(Graph, LoadingRefusesBrokenGraphs) {
    struct Case {
        const char* name;
        std::string xml;
        std::string error;
    } cases[] = {
        {"no points", "<Graph><Arcs/></Graph>", "cGraph::loadXML(): graph hasn't points"},
        {"no arcs", "<Graph><Points/></Graph>", "cGraph::loadXML(): graph hasn't arcs"},
        {"twice the same index", graphXml({{3, "0 0"}, {3, "1 1"}}, {}),
         "cGraph::loadXML(): node with an index = 3 already exists in a graph"},
        {"arc to nowhere", graphXml({{0, "0 0"}}, {{0, 5}}),
         "cGraph::getNode(): node with an index = 5 doesn't exist in a graph"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cGraph graph;
        EXPECT_EQ(TestModel::thrownText([&] { load(graph, c.xml); }), c.error);
    }
}

TEST(Graph, KeepsWhatTheFileSays) {
    cGraph graph;
    load(graph, "<Graph><Points><P position=\"5 7\"/><P index=\"2\" position=\"1.5 -3\"/></Points><Arcs><A "
                "node1=\"-1\" node2=\"2\"/></Arcs></Graph>");
    // A point without an index is filed under -1.
    EXPECT_EQ(graph.getNode(-1)->getPosition(), Engine::cVector2(5.0f, 7.0f));
    EXPECT_EQ(graph.getNode(2)->getPosition(), Engine::cVector2(1.5f, -3.0f));
    EXPECT_TRUE(graph.hasNode(-1));
    EXPECT_FALSE(graph.hasNode(0));
    ASSERT_EQ(graph.copyArcs().size(), 1u);
    EXPECT_EQ(graph.copyArcs()[0]->m_node1, graph.getNode(-1));
    EXPECT_EQ(graph.copyNodes().size(), 2u);

    cGraph::tNodeList all{graph.getNode(2)};
    graph.getAllNodes(all);
    EXPECT_EQ(indices(all), (std::vector<int>{-1, 2}));
}

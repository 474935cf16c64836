#pragma once

// The network of paths the characters walk on the map: nodes at screen positions joined by
// straight, undirected arcs, read from a character file's "Graph" element.

#include "engine/core/Vector2.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Engine {
class IXmlNode;
}

class cGraph;

class cGraphNode {
public:
    explicit cGraphNode(cGraph* graph) : m_graph(graph) {}
    virtual ~cGraphNode() = default;

    virtual int32_t& getIndex() { return m_index; }
    virtual void setIndex(const int32_t& index) { m_index = index; }
    virtual Engine::cVector2& getPosition() { return m_position; }
    virtual void setPosition(const Engine::cVector2& position) { m_position = position; }
    // Path search: the node before this one on the best path found; -1 none.
    virtual int32_t& getPrevious() { return m_previous; }
    virtual void setPrevious(const int32_t& previous) { m_previous = previous; }
    // Path search: the cost of that path.
    virtual float& getDistance() { return m_distance; }
    virtual void setDistance(const float& distance) { m_distance = distance; }

    cGraph* getGraph() const { return m_graph; }

private:
    int32_t m_index = -1;
    Engine::cVector2 m_position;
    cGraph* m_graph;
    int32_t m_previous = -1;
    float m_distance = 0.0f;
};

struct cGraphArc {
    cGraphNode* m_node1 = nullptr;
    cGraphNode* m_node2 = nullptr;
    cGraph* m_graph = nullptr;
};

class cGraph {
public:
    using tNodeList = std::vector<cGraphNode*>;
    using tNodeMap = std::map<int32_t, cGraphNode*>;
    using tArcList = std::vector<cGraphArc*>;

    cGraph() = default;
    cGraph(const cGraph&) = delete;
    cGraph& operator=(const cGraph&) = delete;

    // Reads "Points" and "Arcs"; a failure leaves what was read so far.
    void loadXML(Engine::IXmlNode* element);

    cGraphNode* getNode(int32_t index) const;
    bool hasNode(int32_t index) const { return m_nodes.count(index) != 0; }
    // The node nearest to the point; of equal distances the lower index.
    cGraphNode* getClosestNode(float x, float y) const;
    std::vector<int32_t> getNodeIndices() const;
    // The far end of every arc at the node, in arc order.
    tNodeList getNeighbours(int32_t index) const;
    void getAllNodes(tNodeList& nodes) const;
    int32_t getNodeCount() const { return int32_t(m_nodes.size()); }

    void initSearch(int32_t start);
    // The cheapest chain of nodes from start to goal, both included, with the squared length of
    // a segment as its cost; empty when start is goal or the goal cannot be reached.
    tNodeList findPath(int32_t start, int32_t goal);

    tNodeMap copyNodes() const;
    tArcList copyArcs() const;

private:
    std::map<int32_t, std::unique_ptr<cGraphNode>> m_nodes;
    std::vector<std::unique_ptr<cGraphArc>> m_arcs;
};

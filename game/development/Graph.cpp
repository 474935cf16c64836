#include "game/development/Graph.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/model/ModelXml.h"

#include <algorithm>

using Engine::cStringA;
using Engine::IXmlNode;

namespace {

constexpr float kFar = 1e10f;

} // namespace

void cGraph::loadXML(IXmlNode* element) {
    IXmlNode* points = nullptr;
    if (!element || !element->findNode("Points", points) || !points)
        throw cStringA("cGraph::loadXML(): graph hasn't points");
    for (IXmlNode* child : ModelXml::children(points)) {
        auto node = std::make_unique<cGraphNode>(this);
        node->setIndex(ModelXml::readInt(child, L"index", -1));
        Engine::cVector2 position;
        node->setPosition(Engine::parseVector2(position, child->getAttribute(L"position")));
        const int32_t index = node->getIndex();
        if (hasNode(index))
            throw cStringA("cGraph::loadXML(): node with an index = " + std::to_string(index) +
                           " already exists in a graph");
        m_nodes[index] = std::move(node);
    }
    IXmlNode* arcs = nullptr;
    if (!element->findNode("Arcs", arcs) || !arcs)
        throw cStringA("cGraph::loadXML(): graph hasn't arcs");
    for (IXmlNode* child : ModelXml::children(arcs)) {
        auto arc = std::make_unique<cGraphArc>();
        arc->m_graph = this;
        arc->m_node1 = getNode(ModelXml::readInt(child, L"node1", -1));
        arc->m_node2 = getNode(ModelXml::readInt(child, L"node2", -1));
        m_arcs.push_back(std::move(arc));
    }
}

cGraphNode* cGraph::getNode(int32_t index) const {
    auto it = m_nodes.find(index);
    if (it == m_nodes.end())
        throw cStringA("cGraph::getNode(): node with an index = " + std::to_string(index) +
                       " doesn't exist in a graph");
    return it->second.get();
}

cGraphNode* cGraph::getClosestNode(float x, float y) const {
    float best = kFar;
    cGraphNode* answer = nullptr;
    for (const auto& [index, node] : m_nodes) {
        const float dx = node->getPosition().x - x;
        const float dy = node->getPosition().y - y;
        const float d = dx * dx + dy * dy;
        if (best > d) {
            best = d;
            answer = node.get();
        }
    }
    if (!answer)
        throw cStringA("cGraph::getClosestNode(): no one node was found. Maybe graph hasn't nodes.");
    return answer;
}

std::vector<int32_t> cGraph::getNodeIndices() const {
    std::vector<int32_t> indices;
    indices.reserve(m_nodes.size());
    for (const auto& entry : m_nodes)
        indices.push_back(entry.first);
    return indices;
}

cGraph::tNodeList cGraph::getNeighbours(int32_t index) const {
    tNodeList neighbours;
    for (const auto& arc : m_arcs) {
        if (arc->m_node1->getIndex() == index)
            neighbours.push_back(arc->m_node2);
        if (arc->m_node2->getIndex() == index)
            neighbours.push_back(arc->m_node1);
    }
    return neighbours;
}

void cGraph::getAllNodes(tNodeList& nodes) const {
    nodes.clear();
    for (const auto& entry : m_nodes)
        nodes.push_back(entry.second.get());
}

void cGraph::initSearch(int32_t start) {
    for (auto& [index, node] : m_nodes) {
        if (index == start) {
            node->setPrevious(start);
            node->setDistance(0.0f);
        } else {
            node->setPrevious(-1);
            node->setDistance(kFar);
        }
    }
}

cGraph::tNodeList cGraph::findPath(int32_t start, int32_t goal) {
    tNodeList path;
    if (start == goal)
        return path;
    initSearch(start);
    tNodeList open;
    getAllNodes(open);
    while (!open.empty()) {
        // Ties keep index order, so equal routes always resolve the same way.
        std::stable_sort(open.begin(), open.end(),
                         [](cGraphNode* a, cGraphNode* b) { return a->getDistance() < b->getDistance(); });
        cGraphNode* u = open.front();
        open.erase(open.begin());
        if (u->getIndex() == goal)
            break;
        for (cGraphNode* v : getNeighbours(u->getIndex())) {
            if (std::find(open.begin(), open.end(), v) == open.end())
                continue;
            const float dx = v->getPosition().x - u->getPosition().x;
            const float dy = v->getPosition().y - u->getPosition().y;
            const float cost = u->getDistance() + dx * dx + dy * dy;
            if (v->getDistance() > cost) {
                v->setDistance(cost);
                v->setPrevious(u->getIndex());
            }
        }
    }
    cGraphNode* last = getNode(goal);
    if (last->getPrevious() == -1)
        return path;
    path.push_back(last);
    int32_t previous = -1;
    do {
        previous = path.back()->getPrevious();
        path.push_back(getNode(previous));
    } while (previous != start);
    std::reverse(path.begin(), path.end());
    return path;
}

cGraph::tNodeMap cGraph::copyNodes() const {
    tNodeMap nodes;
    for (const auto& entry : m_nodes)
        nodes[entry.first] = entry.second.get();
    return nodes;
}

cGraph::tArcList cGraph::copyArcs() const {
    tArcList arcs;
    for (const auto& arc : m_arcs)
        arcs.push_back(arc.get());
    return arcs;
}

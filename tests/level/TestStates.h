#pragma once

// The board screen's owner for tests: a "States" table of named looks read from XML (one child
// per look, its "id" and the look's keys), as the map screen's table will be.

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Visual.h"
#include "game/shell/VisualStates.h"

#include <map>
#include <string>

namespace TestLevel {

class TestStates : public IVisualStates {
public:
    void load(const Engine::IXmlNode* root) {
        for (int index = 0; index < root->getNodeCount(); ++index) {
            Engine::IXmlNode* child = nullptr;
            if (root->getNodeAt(index, child))
                m_looks[Engine::wideToNarrow(child->getAttribute(L"id"))].loadXML(child);
        }
    }
    const Engine::cVisual& getVisualState(const std::string& id) const override {
        auto found = m_looks.find(id);
        if (found == m_looks.end())
            throw Engine::cStringA("States: no look \"" + id + "\"");
        return found->second;
    }

private:
    std::map<std::string, Engine::cVisual> m_looks;
};

} // namespace TestLevel

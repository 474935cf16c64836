#include "game/shell/PieceLooks.h"

#include "engine/core/String.h"
#include "engine/core/XmlNode.h"

#include <string>

using namespace Engine;

cVisual getPieceVisualState(int type, const IXmlNode* objectsRoot) {
    const std::string id = "obj" + std::to_string(type);
    for (int index = 0; objectsRoot && index < objectsRoot->getNodeCount(); ++index) {
        IXmlNode* child = nullptr;
        if (objectsRoot->getNodeAt(index, child) && wideToNarrow(child->getAttribute(L"id")) == id) {
            cVisual look;
            look.loadXML(child);
            return look;
        }
    }
    throw cStringA("getPieceVisualState(): visual state for object id = " + id + " was not found.");
}

#pragma once

// How a child element of a layout group becomes a widget, for the groups whose widget classes
// live in other parts of the toolkit: "BackText" (labels), "BackMultitext" (multi-line texts),
// "BackPyro" and "PyroEffects" (particle effects). A group without a maker refuses its
// elements with an error that names the group.

#include <string>

namespace Engine {

class IXmlNode;
class cWidget;

class cLayerFactories {
public:
    // Creates the widget under the parent and loads it from the element (and, for particle
    // effects, starts it).
    using tMake = cWidget* (*)(cWidget* parent, const IXmlNode* element);
    // A copy of an existing widget of the group, placed under the parent and started.
    using tCopy = cWidget* (*)(const cWidget& original, cWidget* parent);

    static void set(const std::string& group, tMake make, tCopy copy = nullptr);
    static bool has(const std::string& group);
    // Throws the narrow text "Layout group \"<group>\" is not supported: no widget class
    // makes its elements." when the group has no maker.
    static cWidget* make(const std::string& group, cWidget* parent, const IXmlNode* element);
    // Null when the group has no copier.
    static cWidget* copy(const std::string& group, const cWidget& original, cWidget* parent);
};

} // namespace Engine

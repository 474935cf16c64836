#include "engine/gui/LayerFactories.h"

#include "engine/core/String.h"
#include "engine/gui/Label.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/PyroEffect.h"

#include <map>
#include <utility>

namespace Engine {

namespace {

struct cFactory {
    cLayerFactories::tMake make = nullptr;
    cLayerFactories::tCopy copy = nullptr;
};

// The widget classes of the other groups add their makers here as they land (labels for
// "BackText", multi-line texts for "BackMultitext", particle effects for "BackPyro" and
// "PyroEffects"); a table in this file rather than static registrars, which a static library
// would drop.
template <class Widget> cWidget* makeLayer(cWidget* parent, const IXmlNode* element) {
    auto* widget = new Widget(parent);
    widget->loadXML(element);
    return widget;
}

std::map<std::string, cFactory>& table() {
    static std::map<std::string, cFactory> factories = {
        {"BackText", cFactory{makeLayer<cLabel>, nullptr}},
        {"BackMultitext", cFactory{makeLayer<cMultilineText>, nullptr}},
        {"BackPyro", {&cPyroEffect::makeLayer, &cPyroEffect::copyLayer}},
        {"PyroEffects", {&cPyroEffect::makeLayer, &cPyroEffect::copyLayer}},
    };
    return factories;
}

} // namespace

void cLayerFactories::set(const std::string& group, tMake make, tCopy copy) {
    table()[group] = cFactory{make, copy};
}

bool cLayerFactories::has(const std::string& group) {
    auto found = table().find(group);
    return found != table().end() && found->second.make;
}

cWidget* cLayerFactories::make(const std::string& group, cWidget* parent, const IXmlNode* element) {
    auto found = table().find(group);
    if (found == table().end() || !found->second.make)
        throw cStringA("Layout group \"" + group + "\" is not supported: no widget class makes its elements.");
    return found->second.make(parent, element);
}

cWidget* cLayerFactories::copy(const std::string& group, const cWidget& original, cWidget* parent) {
    auto found = table().find(group);
    if (found == table().end() || !found->second.copy)
        return nullptr;
    return found->second.copy(original, parent);
}

} // namespace Engine

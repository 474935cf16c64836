#pragma once

// An invisible widget that builds its layers from the groups of its element: "Background"
// (panels), "BackText" (labels), "BackMultitext" (multi-line texts) and "BackPyro" (particle
// effects, started at once). The layers are its children; the widget tree owns them.

#include "engine/gui/Widget.h"

#include <set>

namespace Engine {

class cBackground : public cWidget {
public:
    explicit cBackground(cWidget* parent);
    ~cBackground() override;

    // The widget keys, then the four groups in that order. A group whose widget class is not
    // part of the program refuses its elements (see cLayerFactories).
    void loadXML(const IXmlNode* node) override;
    void removeChild(cWidget* child) override;
    void replaceChild(cWidget* child, cWidget* replacement) override;

    const std::set<cWidget*>& getLayers() const { return m_layers; }

protected:
    std::set<cWidget*> m_layers;
};

} // namespace Engine

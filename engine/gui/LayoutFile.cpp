#include "engine/gui/LayoutFile.h"

#include "engine/core/DocumentHold.h"
#include "engine/gui/Widget.h"

namespace Engine {

void loadLayoutFile(cWidget& widget, const std::string& path) {
    const cDocumentHold layout(path);
    widget.loadXML(layout.get());
}

} // namespace Engine

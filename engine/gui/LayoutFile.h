#pragma once

// The one way a widget loads its layout file: the document is held while the widget reads it
// and given back on every exit, also when reading it throws.

#include <string>

namespace Engine {

class cWidget;

// Loads the layout of the path (the resource manager's cached document) into the widget
// through its loadXML. Throws "cannot read" with the path when there is no resource manager.
void loadLayoutFile(cWidget& widget, const std::string& path);

} // namespace Engine

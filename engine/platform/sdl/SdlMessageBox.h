#pragma once

// SDL's modal message box; falls back to the headless recorder when no display can show it.

#include "engine/platform/MessageBox.h"

namespace Platform {

class cSdlMessageBox : public IMessageBox {
public:
    void show(const std::string& text, const std::string& caption, MessageBoxIcon icon) override;
};

} // namespace Platform

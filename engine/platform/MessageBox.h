#pragma once

// Modal message boxes: SDL's when a display is there, otherwise (and always when headless)
// recorded and printed to stderr without blocking. Texts are UTF-8.

#include <string>

namespace Platform {

enum class MessageBoxIcon { INFORMATION, WARNING, ERROR };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void show(const std::string& text, const std::string& caption, MessageBoxIcon icon) = 0;
};

// The message box in use: a test's, else the headless recorder under MEADOW_HEADLESS=1, else SDL's.
IMessageBox& getMessageBox();
// Installs a message box (nullptr restores the default). The caller keeps ownership.
void setMessageBox(IMessageBox* box);
void showMessageBox(const std::string& text, const std::string& caption, MessageBoxIcon icon);

} // namespace Platform

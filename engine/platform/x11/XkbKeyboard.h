#pragma once

// The X keyboard extension's view of the keyboard, for the keyboard layout's language.

#include <string>

namespace Platform {

// The symbols name of the keymap, the current group (0-based) and that group's name. False
// when no display can be opened or it has no keyboard extension; the connection is opened
// on first use and kept.
bool readXkbKeyboard(std::string& symbols, int& group, std::string& groupName);

} // namespace Platform

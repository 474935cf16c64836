#pragma once

// Reporting of failures that must not escape, such as a file that cannot be written while a
// service is destroyed at shut-down.

#include <exception>
#include <string>

namespace Engine {

// The narrow text of an exception of any of the engine's kinds: C strings, narrow and wide
// strings, standard exceptions. Returns false, leaving text as it is, for any other kind or none.
bool getExceptionText(std::exception_ptr error, std::string& text);

// getExceptionText, or "unknown error" for an exception that carries no text.
std::string describeException(std::exception_ptr error);

// Writes the text to the "error" log channel. False, and nothing thrown, when there is no log
// or it cannot be written.
bool logError(const std::string& text) noexcept;

// Writes context + the exception's text to the "error" log channel. Never throws.
void logException(const std::string& context, std::exception_ptr error) noexcept;

} // namespace Engine

#pragma once

// Reporting of failures that must not escape, such as a file that cannot be written while a
// service is destroyed at shut-down.

#include <exception>
#include <string>

namespace Engine {

// The text of an exception of any of the engine's kinds: C strings, narrow and wide strings,
// standard exceptions.
std::string describeException(std::exception_ptr error);

// Writes context + the exception's text to the "error" log channel. Never throws.
void logException(const std::string& context, std::exception_ptr error) noexcept;

} // namespace Engine

#pragma once

// The process-wide error text and the fatal-error path that logs it, shows it and quits.

#include <exception>
#include <string>

namespace Engine {

// The description of the last failure, filled by failing operations before they throw.
std::string& errorCallStack();

// Appends the message to the "error" log channel, shows errorCallStack() in a message box
// titled "Error" and asks the application to quit. A log that cannot be written is skipped;
// the box is shown anyway. Never throws. The second text is accepted and not shown.
void showFatalError(const std::string& message, const std::string& title = std::string());

// What the entry point does with an exception that reached it: errorCallStack() becomes the
// exception's text (C string, narrow or wide string, standard exception) followed by
// "\n" "Restart the game please."; for any other kind that line is appended to the current
// text. Then showFatalError. Never throws.
void reportFatalException(std::exception_ptr error);

// Installed by the application: posts its quit request and pumps its messages. Without one the
// fatal path only logs and shows the box.
using tQuitHandler = void (*)();
void setFatalQuitHandler(tQuitHandler handler);

} // namespace Engine

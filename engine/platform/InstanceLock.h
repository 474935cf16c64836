#pragma once

// The single-instance rule: the first copy of the program holds a lock file and listens on a
// local socket; a later copy finds the lock taken, asks the first copy to come forward and ends.

#include <string>

namespace Platform {

// True when this process is the first copy (it keeps the lock until it ends or calls
// releaseSingleInstance). False when another process holds the lock; that process has then been
// asked to come forward.
bool claimSingleInstance(const std::string& name);
// Come-forward requests received since the last call; the window's message pump asks.
int takeComeForwardRequests();
void releaseSingleInstance();
// The lock file's path for a name, in the user-data folder.
std::string getInstanceLockPath(const std::string& name);
// The abstract local socket's name (without its leading NUL) for a name. Only connections from
// the same user are taken as requests; a name already taken by somebody else is reported.
std::string getInstanceSocketName(const std::string& name);

} // namespace Platform

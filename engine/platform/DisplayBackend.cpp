#include "engine/platform/DisplayBackend.h"

namespace Platform {

namespace {
cDisplayBackend g_backend;
}

void setDisplayBackend(const cDisplayBackend& backend) {
    g_backend = backend;
}

const cDisplayBackend& getDisplayBackend() {
    return g_backend;
}

} // namespace Platform

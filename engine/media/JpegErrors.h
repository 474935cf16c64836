#pragma once

// libjpeg's error manager for the engine: an error keeps libjpeg's text and ends the work
// through longjmp to the caller's setjmp instead of exit(). The caller holds it where a longjmp
// leaves it valid (on the heap, pointed to from before setjmp).

#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>

namespace Engine {

struct cJpegErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};

    // Fills the manager; the result goes into the codec's err field. With warningsAreErrors,
    // warnings (a stream that ends early, damaged data) end the work too.
    jpeg_error_mgr* install(bool warningsAreErrors);
};

} // namespace Engine

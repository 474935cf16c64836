#include "engine/media/JpegErrors.h"

namespace Engine {

namespace {

void onError(j_common_ptr info) {
    cJpegErrors* errors = reinterpret_cast<cJpegErrors*>(info->err);
    errors->manager.format_message(info, errors->message);
    longjmp(errors->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        onError(info);
}

} // namespace

jpeg_error_mgr* cJpegErrors::install(bool warningsAreErrors) {
    jpeg_std_error(&manager);
    manager.error_exit = onError;
    if (warningsAreErrors)
        manager.emit_message = onMessage;
    return &manager;
}

} // namespace Engine

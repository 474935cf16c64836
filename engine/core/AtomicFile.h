#pragma once

// A file written under a temporary name in its target's folder and renamed over the target when
// closed, so that a crash or a full disk never leaves a half-written file: the old file stays
// until the new one is complete.

#include "engine/core/File.h"

#include <functional>
#include <string>

namespace Engine {

class cAtomicFile : public cFile {
public:
    // Called once when the file is closed: true when the target now holds the new contents.
    using CloseHandler = std::function<void(bool committed)>;

    // keepContents starts from a copy of the existing target (which must exist); otherwise the
    // file starts empty. Throws the wide "Can't open file \"<target>\"." on failure; the log gets
    // the system's reason.
    cAtomicFile(const std::wstring& target, bool keepContents);
    // Closes; a failure is logged to the "error" channel, never thrown.
    ~cAtomicFile() override;

    int32_t write(const void* buffer, int32_t count) override;
    // Flushes and renames over the target. On failure the target is left as it was, the
    // temporary file is removed and the std::string "Can't write file \"<target>\". <reason>"
    // is logged to the "error" channel and thrown.
    void close() override;

    void setCloseHandler(CloseHandler handler) { m_onClose = std::move(handler); }
    const std::string& getTargetPath() const { return m_target; }

private:
    void fail(int error);

    std::string m_target;
    std::string m_temp;
    int m_error = 0;
    CloseHandler m_onClose;
};

} // namespace Engine

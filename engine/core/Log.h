#pragma once

// The log service: one file per channel in the log folder. The only channel in use is "error".
// The process log exists from before main() until the process ends.

#include "engine/core/LogFile.h"
#include "engine/core/Singleton.h"

#include <map>
#include <memory>
#include <string>

namespace Engine {

class ILog : public cSingleton<ILog> {
public:
    ~ILog() override = default;
    // The channel of that name, opened on first request (truncate matters only then). Throws a
    // wide string when its file cannot be opened; nothing is kept then, so a later call retries.
    virtual ILogSink* getChannel(const std::wstring& name, bool truncate) = 0;
};

class cLog : public ILog {
public:
    ILogSink* getChannel(const std::wstring& name, bool truncate) override;
    // Closes every channel; the next request opens its file again with a new header.
    void closeChannels();

private:
    std::map<std::wstring, std::unique_ptr<cLogFile>> m_channels;
};

// The log, or null outside its lifetime.
ILog* getLog();

} // namespace Engine

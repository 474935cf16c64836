#include "engine/core/Log.h"

#include "engine/core/ExceptionLog.h"
#include "engine/core/System.h"
#include "engine/platform/System.h"

#include <cstdio>

namespace Engine {

namespace {

cLog g_processLog;

// The platform layer's reports join the error log for as long as the log exists.
struct cPlatformReports {
    cPlatformReports() { Platform::setReportHandler(&toLog); }
    ~cPlatformReports() { Platform::setReportHandler(nullptr); }
    static void toLog(const std::string& text) {
        if (!logError(text))
            std::fprintf(stderr, "%s\n", text.c_str());
    }
} g_platformReports;

} // namespace

ILogSink* cLog::getChannel(const std::wstring& name, bool truncate) {
    auto found = m_channels.find(name);
    if (found != m_channels.end())
        return found->second.get();
    auto file = std::make_unique<cLogFile>(getLogFolder() + L"/" + name + L".log", truncate);
    return m_channels.emplace(name, std::move(file)).first->second.get();
}

void cLog::closeChannels() {
    m_channels.clear();
}

ILog* getLog() {
    return ILog::getInstance();
}

} // namespace Engine

#include "engine/core/Log.h"

#include "engine/core/System.h"

namespace Engine {

namespace {
cLog g_processLog;
}

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

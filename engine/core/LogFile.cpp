#include "engine/core/LogFile.h"

#include "engine/core/FatalError.h"
#include "engine/core/File.h"
#include "engine/core/String.h"

#include <cstdarg>
#include <ctime>

namespace Engine {

namespace {

// Shared by every channel of the process.
unsigned g_entryCounter = 0;

std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

std::string formatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return std::string();
    std::string text(size_t(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(size_t(size));
    return text;
}

std::string format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = formatV(format, args);
    va_end(args);
    return text;
}

} // namespace

cLogFile::cLogFile(const std::wstring& path, bool truncate) : m_path(path) {
    std::tm now = localNow();
    std::string narrowPath;
    wideToUtf8(path, narrowPath);
    ignoreFileSizeSignal();
    m_file = std::fopen(narrowPath.c_str(), truncate ? "w" : "a");
    if (!m_file)
        throw cStringW(narrowToWide(errorCallStack()) + L"Unable to open [" + path + L"] log file.\n");
    std::string header = format("%02d/%02d/%04d - %02d:%02d:%02d ", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900,
                                now.tm_hour, now.tm_min, now.tm_sec);
    header += std::string(56, '-') + "\n";
    std::fputs(header.c_str(), m_file);
    std::fflush(m_file);
}

cLogFile::~cLogFile() {
    if (m_file)
        std::fclose(m_file);
}

void cLogFile::write(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = formatV(format, args);
    va_end(args);
    writeLine(text);
}

void cLogFile::writeEntry(const std::wstring& text) {
    writeLine(wideToNarrow(text));
}

void cLogFile::writeLine(const std::string& text) {
    std::tm now = localNow();
    std::string line = format("[%02d:%02d:%02d - %05u]\t", now.tm_hour, now.tm_min, now.tm_sec, g_entryCounter);
    ++g_entryCounter;
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}

} // namespace Engine

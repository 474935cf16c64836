#pragma once

// One log channel: a file "<channel>.log" in the log folder, opened for appending (or
// truncated) with a header line, then one numbered line per entry.

#include <cstdio>
#include <string>

namespace Engine {

class ILogSink {
public:
    // Formats the narrow printf-style text (any length) and writes it as one entry.
    __attribute__((format(printf, 2, 3))) virtual void write(const char* format, ...) = 0;
    // Writes the wide text as one entry, narrowed as everywhere in the engine.
    virtual void writeEntry(const std::wstring& text) = 0;
    virtual ~ILogSink() = default;
};

class cLogFile : public ILogSink {
public:
    // Opens the file and writes the header; throws a wide string when it cannot be opened.
    cLogFile(const std::wstring& path, bool truncate);
    ~cLogFile() override;
    cLogFile(const cLogFile&) = delete;
    cLogFile& operator=(const cLogFile&) = delete;

    __attribute__((format(printf, 2, 3))) void write(const char* format, ...) override;
    void writeEntry(const std::wstring& text) override;

    const std::wstring& getPath() const { return m_path; }

private:
    void writeLine(const std::string& text);

    std::wstring m_path;
    std::FILE* m_file = nullptr;
};

} // namespace Engine

#pragma once

// The read-write configuration: "sys/settings.xml" as sections of keys. The data folder holds the
// defaults; the settings are written back into the user folder when they are destroyed, and that
// copy shadows the defaults from the next start on.

#include "engine/core/Constants.h"

namespace Engine {

class ISettings : public IConstants {
public:
    virtual void setValue(const std::wstring& section, const std::wstring& key, const cColor& value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, const std::string& value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, const cVector3& value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, float value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, unsigned long value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, long value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, unsigned int value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, int value) = 0;
    virtual void setValue(const std::wstring& section, const std::wstring& key, bool value) = 0;
};

class cSettings : public cKeyValueReader<ISettings>, public cSingleton<cSettings> {
public:
    // Reads the file through the resource manager; its failures propagate.
    explicit cSettings(const std::string& fileName);
    // Writes the file; a failure is logged to the "error" channel, never thrown.
    ~cSettings() override;

    void setValue(const std::wstring& s, const std::wstring& k, const cColor& v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, const std::wstring& v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, const std::string& v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, const cVector3& v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, float v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, unsigned long v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, long v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, unsigned int v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, int v) override { set(s, k, v); }
    void setValue(const std::wstring& s, const std::wstring& k, bool v) override { set(s, k, v); }

private:
    // Writes the file: to a temporary file beside it, then renamed over it. Throws on failure,
    // leaving the old file as it was.
    void save();

    template <typename T> void set(const std::wstring& section, const std::wstring& key, const T& value) {
        cKeyValueStore::setValue(section, key, value);
    }
};

// The settings, or null before they are made and after they are gone.
cSettings* getSettings();

} // namespace Engine

#pragma once

// The read-only configuration: "sys/constants.xml" as sections of keys.

#include "engine/core/KeyValueStore.h"
#include "engine/core/Singleton.h"

namespace Engine {

class IConstants {
public:
    virtual ~IConstants() = default;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, cColor& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, std::wstring& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, std::string& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, cVector3& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, float& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, unsigned long& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, long& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, unsigned int& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, int& out) = 0;
    virtual bool getValue(const std::wstring& section, const std::wstring& key, bool& out) = 0;
};

// The getters of a store read from XML, shared by the constants and the settings.
template <class Interface> class cKeyValueReader : public Interface, protected cKeyValueStore {
public:
    explicit cKeyValueReader(const std::string& fileName) : cKeyValueStore(fileName) {}

    bool getValue(const std::wstring& s, const std::wstring& k, cColor& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, std::wstring& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, std::string& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, cVector3& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, float& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, unsigned long& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, long& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, unsigned int& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, int& out) override { return get(s, k, out); }
    bool getValue(const std::wstring& s, const std::wstring& k, bool& out) override { return get(s, k, out); }

private:
    template <typename T> bool get(const std::wstring& section, const std::wstring& key, T& out) {
        return cKeyValueStore::getValue(section, key, out);
    }
};

class cConstants : public cKeyValueReader<IConstants>, public cSingleton<cConstants> {
public:
    // Reads the file through the resource manager; its failures propagate.
    explicit cConstants(const std::string& fileName);
    ~cConstants() override;
};

// The constants, or null before they are made and after they are gone.
cConstants* getConstants();

} // namespace Engine

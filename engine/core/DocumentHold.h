#pragma once

// One reference on a cached XML document, given back when the hold goes: also when the code
// reading the document throws. Move-only.

#include <string>

namespace Engine {

class IXmlNode;

class cDocumentHold {
public:
    cDocumentHold() = default;
    // Takes over a reference the caller got (null holds nothing).
    explicit cDocumentHold(IXmlNode* document) noexcept : m_document(document) {}
    // The resource manager's document of the path, with one more reference. Throws "cannot
    // read" with the path when there is no resource manager; the manager's own error when the
    // file cannot be loaded.
    explicit cDocumentHold(const std::string& path);
    ~cDocumentHold() { reset(); }

    cDocumentHold(cDocumentHold&& other) noexcept : m_document(other.m_document) { other.m_document = nullptr; }
    cDocumentHold& operator=(cDocumentHold&& other) noexcept;
    cDocumentHold(const cDocumentHold&) = delete;
    cDocumentHold& operator=(const cDocumentHold&) = delete;

    IXmlNode* get() const { return m_document; }
    IXmlNode* operator->() const { return m_document; }
    explicit operator bool() const { return m_document != nullptr; }
    // Gives the reference back now.
    void reset() noexcept;

private:
    IXmlNode* m_document = nullptr;
};

} // namespace Engine

#pragma once

// The engine's string types, text conversions and value parsers.
// Wide text holds one UTF-16 code unit per wchar_t; narrow text is bytes (see Conversions).

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace Engine {

std::string wideToNarrow(const std::wstring& text);
std::wstring narrowToWide(const std::string& text);

// Narrow and wide strings with the engine's extra constructors. The narrow one is also the
// exception type for messages.
template <typename CharT> class cString : public std::basic_string<CharT> {
public:
    using Base = std::basic_string<CharT>;
    using Base::Base;
    cString() = default;
    cString(const Base& s) : Base(s) {}
    cString(Base&& s) : Base(std::move(s)) {}
    // Narrow from a wide C string (wideToNarrow).
    template <typename C = CharT, std::enable_if_t<std::is_same_v<C, char>, int> = 0>
    explicit cString(const wchar_t* wide) : Base(wideToNarrow(wide ? wide : L"")) {}
    // Wide from an int: its decimal text.
    template <typename C = CharT, std::enable_if_t<std::is_same_v<C, wchar_t>, int> = 0>
    explicit cString(int value) : Base(narrowToWide(std::to_string(value))) {}
};

using cStringA = cString<char>;
using cStringW = cString<wchar_t>;

// Conversions. Narrowing writes characters below 256 as that byte when the whole text is
// Latin-1, otherwise the whole text goes out as UTF-8 (the engine's active code page).
// Widening reads each byte as the character of that value.
cStringA narrowFromWideCStr(const wchar_t* text);
// The inverse of wideToNarrow for the edges that take narrow text back: valid UTF-8 with
// characters above 127 is decoded, anything else is read byte by byte.
std::wstring toWideString(const std::string& text);
// Narrow text as UTF-8 for the platform (window titles, message boxes): kept when it is valid
// UTF-8, otherwise read byte by byte.
std::string narrowToUtf8(const std::string& text);
cStringW wstringFromInt(int value);
void wideToUtf8(const std::wstring& text, std::string& out);
void utf8ToWide(const std::string& text, std::wstring& out);
// UTF-16 units to code points and back, for the edges that need whole characters.
std::u32string utf16ToCodePoints(const std::wstring& text);
std::wstring codePointsToUtf16(const std::u32string& text);

void toLowerNarrow(std::string& text);
// A lower-case copy (ASCII letters only): the key of a file name in the caches.
std::string lowerCaseNarrow(std::string text);
void toLowerWide(std::wstring& text);
void replaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement);
void replaceChar(std::string& text, char what, char replacement);
void replaceChar(std::wstring& text, wchar_t what, wchar_t replacement);
// Entities for & ' > < ", character references for tab, line feed and carriage return, and
// U+FFFD for units XML cannot hold, so that any text reads back as written.
std::wstring escapeXml(const std::wstring& text);

// The text's UTF-16 units as little-endian byte pairs, without a byte-order unit.
std::string wideToUtf16Bytes(const std::wstring& text);
// Writes the byte-order unit and the text as UTF-16LE through the file system's openWrite
// (user folder). Returns the bytes written.
int writeUtf16File(const std::string& name, const std::wstring& text);

// Length-prefixed strings of the binary XML form: a signed 32-bit little-endian count, then
// that many bytes (narrow) or UTF-16LE units (wide). A count of 0 leaves out unchanged.
// Return the bytes used. These two trust the count: the caller bounds-checks it. A negative
// count leaves out unchanged.
int readNarrowString(const uint8_t* buffer, std::string& out);
int readWideString(const uint8_t* buffer, std::wstring& out);
// The same within `size` readable bytes: -1 (out unchanged) when the count is negative or the
// string runs past the end.
int readNarrowString(const uint8_t* buffer, size_t size, std::string& out);
int readWideString(const uint8_t* buffer, size_t size, std::wstring& out);

// Value parsers: write the output only on success and return it. Parsed with the classic locale.
int& parseInt(int& out, const std::wstring& text);
unsigned& parseUInt(unsigned& out, const std::wstring& text);
int32_t& parseLong(int32_t& out, const std::wstring& text);
uint32_t& parseULong(uint32_t& out, const std::wstring& text);
int64_t& parseLongLong(int64_t& out, const std::wstring& text);
uint16_t& parseUInt16(uint16_t& out, const std::wstring& text);
float& parseFloat(float& out, const std::wstring& text);
double& parseDouble(double& out, const std::wstring& text);
bool& parseBool(bool& out, const std::wstring& text);
cColor& parseColor(cColor& out, const std::wstring& text);
cVector2& parseVector2(cVector2& out, const std::wstring& text);
cVector3& parseVector3(cVector3& out, const std::wstring& text);
std::string& parseString(std::string& out, const std::wstring& text);

} // namespace Engine

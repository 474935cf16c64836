#include "engine/core/String.h"

#include "engine/core/ByteOrder.h"

#include <algorithm>
#include <cstring>
#include <locale>
#include <sstream>

namespace Engine {

std::u32string utf16ToCodePoints(const std::wstring& text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t u = uint32_t(text[i]) & 0xFFFF;
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < text.size()) {
            uint32_t low = uint32_t(text[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                out.push_back(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        // A lone surrogate has no character; keep its place with the replacement character.
        out.push_back(u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
    }
    return out;
}

std::wstring codePointsToUtf16(const std::u32string& text) {
    std::wstring out;
    out.reserve(text.size());
    for (char32_t c : text) {
        uint32_t cp = uint32_t(c);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(wchar_t(cp));
        }
    }
    return out;
}

std::string wideToUtf16Bytes(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char((unit >> 8) & 0xFF);
    }
    return bytes;
}

void wideToUtf8(const std::wstring& text, std::string& out) {
    out.clear();
    for (char32_t c : utf16ToCodePoints(text)) {
        uint32_t cp = uint32_t(c);
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
}

void utf8ToWide(const std::string& text, std::wstring& out) {
    std::u32string points;
    points.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    for (size_t i = 0; i < n;) {
        unsigned char c = s[i];
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        uint32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (!ok) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        points.push_back(cp);
        i += size_t(extra) + 1;
    }
    out = codePointsToUtf16(points);
}

std::string wideToNarrow(const std::wstring& text) {
    bool latin1 = std::all_of(text.begin(), text.end(), [](wchar_t c) { return uint32_t(c) < 256; });
    if (!latin1) {
        std::string out;
        wideToUtf8(text, out);
        return out;
    }
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(), [](wchar_t c) { return char(uint8_t(c)); });
    return out;
}

std::wstring narrowToWide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    std::transform(text.begin(), text.end(), out.begin(), [](char c) { return wchar_t(uint8_t(c)); });
    return out;
}

cStringA narrowFromWideCStr(const wchar_t* text) {
    return cStringA(wideToNarrow(text ? text : L""));
}

namespace {

// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates) and not plain ASCII.
bool isMultiByteUtf8(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    bool multiByte = false;
    for (size_t i = 0; i < n;) {
        unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= n)
            return false;
        uint32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k <= extra; ++k) {
            if ((s[i + size_t(k)] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + size_t(k)] & 0x3F);
        }
        static const uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return false;
        multiByte = true;
        i += size_t(extra) + 1;
    }
    return multiByte;
}

} // namespace

std::wstring toWideString(const std::string& text) {
    if (!isMultiByteUtf8(text))
        return narrowToWide(text);
    std::wstring out;
    utf8ToWide(text, out);
    return out;
}

std::string narrowToUtf8(const std::string& text) {
    if (isMultiByteUtf8(text))
        return text;
    std::string out;
    wideToUtf8(narrowToWide(text), out);
    return out;
}

cStringW wstringFromInt(int value) {
    std::string digits = std::to_string(value);
    return cStringW(narrowToWide(digits));
}

void toLowerNarrow(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
}

std::string lowerCaseNarrow(std::string text) {
    toLowerNarrow(text);
    return text;
}

void toLowerWide(std::wstring& text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
}

void replaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    if (search.empty())
        return;
    size_t p = 0;
    while ((p = text.find(search, p)) != std::wstring::npos) {
        text.replace(p, search.size(), replacement);
        p += replacement.size();
    }
}

void replaceChar(std::string& text, char what, char replacement) {
    std::replace(text.begin(), text.end(), what, replacement);
}

void replaceChar(std::wstring& text, wchar_t what, wchar_t replacement) {
    std::replace(text.begin(), text.end(), what, replacement);
}

std::wstring escapeXml(const std::wstring& text) {
    std::wstring out = text;
    replaceAll(out, L"&", L"&amp;");
    replaceAll(out, L"'", L"&apos;");
    replaceAll(out, L">", L"&gt;");
    replaceAll(out, L"<", L"&lt;");
    replaceAll(out, L"\"", L"&quot;");
    // A reader turns raw line breaks and tabs in attribute values into spaces; references keep them.
    replaceAll(out, L"\t", L"&#9;");
    replaceAll(out, L"\n", L"&#10;");
    replaceAll(out, L"\r", L"&#13;");
    // Units that XML cannot hold at all (other control characters, unpaired surrogates,
    // U+FFFE/U+FFFF) would make the whole file unreadable: they become U+FFFD.
    for (size_t i = 0; i < out.size(); ++i) {
        uint32_t c = uint32_t(out[i]);
        bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < out.size() && uint32_t(out[i + 1]) >= 0xDC00 && uint32_t(out[i + 1]) <= 0xDFFF) {
            ++i;
            continue;
        }
        if (c < 0x20 || high || low || c == 0xFFFE || c == 0xFFFF || c > 0xFFFF)
            out[i] = wchar_t(0xFFFD);
    }
    return out;
}

namespace {

// Extracts one value of type T from the text with the classic locale; writes out only on success.
template <typename T> bool extract(T& out, const std::wstring& text, std::ios_base& (*base)(std::ios_base&) = nullptr) {
    std::wistringstream in(text);
    in.imbue(std::locale::classic());
    if (base)
        in >> base;
    T value{};
    if (!(in >> value))
        return false;
    out = value;
    return true;
}

template <typename T> T& parseNumber(T& out, const std::wstring& text) {
    if (!text.empty())
        extract(out, text);
    return out;
}

bool isClassicSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}
bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Reads the longest prefix from pos (after white space) that forms a decimal number and moves pos
// past it; writes out only on success. The stream alone rejects a number followed by a bare
// exponent mark ("3.5e", "1e+") instead of taking the number before it.
template <typename T> bool readReal(const std::wstring& text, size_t& pos, T& out) {
    size_t n = text.size(), i = pos;
    while (i < n && isClassicSpace(text[i]))
        ++i;
    size_t start = i, digits = 0;
    if (i < n && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == L'.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < n && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        size_t k = j;
        while (k < n && isDigit(text[k]))
            ++k;
        if (k > j)
            i = k;
    }
    if (!extract(out, text.substr(start, i - start)))
        return false;
    pos = i;
    return true;
}

template <typename T> T& parseReal(T& out, const std::wstring& text) {
    size_t pos = 0;
    readReal(text, pos, out);
    return out;
}

} // namespace

int readNarrowString(const uint8_t* buffer, std::string& out) {
    int32_t n = readInt32LE(buffer);
    if (n > 0)
        out.assign(reinterpret_cast<const char*>(buffer + 4), size_t(n));
    return int(int64_t(n) + 4);
}

int readWideString(const uint8_t* buffer, std::wstring& out) {
    int32_t n = readInt32LE(buffer);
    if (n > 0) {
        out.resize(size_t(n));
        for (size_t i = 0; i < size_t(n); ++i)
            out[i] = wchar_t(readUint16LE(buffer + 4 + 2 * i));
    }
    return int(2 * int64_t(n) + 4);
}

int readNarrowString(const uint8_t* buffer, size_t size, std::string& out) {
    if (size < 4)
        return -1;
    int32_t n = readInt32LE(buffer);
    if (n < 0 || uint64_t(n) > size - 4)
        return -1;
    return readNarrowString(buffer, out);
}

int readWideString(const uint8_t* buffer, size_t size, std::wstring& out) {
    if (size < 4)
        return -1;
    int32_t n = readInt32LE(buffer);
    if (n < 0 || 2 * uint64_t(n) > size - 4)
        return -1;
    return readWideString(buffer, out);
}

int& parseInt(int& out, const std::wstring& text) {
    return parseNumber(out, text);
}
unsigned& parseUInt(unsigned& out, const std::wstring& text) {
    return parseNumber(out, text);
}
int32_t& parseLong(int32_t& out, const std::wstring& text) {
    return parseNumber(out, text);
}
int64_t& parseLongLong(int64_t& out, const std::wstring& text) {
    return parseNumber(out, text);
}
uint16_t& parseUInt16(uint16_t& out, const std::wstring& text) {
    return parseNumber(out, text);
}
float& parseFloat(float& out, const std::wstring& text) {
    return parseReal(out, text);
}
double& parseDouble(double& out, const std::wstring& text) {
    return parseReal(out, text);
}
bool& parseBool(bool& out, const std::wstring& text) {
    return parseNumber(out, text);
}

uint32_t& parseULong(uint32_t& out, const std::wstring& text) {
    if (text.empty())
        return out;
    if (text.size() >= 2 && text[0] == L'0' && text[1] == L'x')
        extract(out, text.substr(2), std::hex);
    else
        extract(out, text);
    return out;
}

cColor& parseColor(cColor& out, const std::wstring& text) {
    if (text.empty())
        return out;
    uint32_t packed = 0;
    if (!extract(packed, text, std::hex))
        return out;
    if (text.size() < 7)
        out.fromRGB(packed);
    else
        out.fromARGB(packed);
    return out;
}

// Each component is read after skipping one character (the separator) behind the previous one.
cVector2& parseVector2(cVector2& out, const std::wstring& text) {
    size_t pos = 0;
    if (!readReal(text, pos, out.x))
        return out;
    ++pos;
    readReal(text, pos, out.y);
    return out;
}

cVector3& parseVector3(cVector3& out, const std::wstring& text) {
    size_t pos = 0;
    float* fields[3] = {&out.x, &out.y, &out.z};
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            ++pos;
        if (!readReal(text, pos, *fields[i]))
            break;
    }
    return out;
}

std::string& parseString(std::string& out, const std::wstring& text) {
    std::istringstream in(wideToNarrow(text));
    std::string word;
    if (in >> word)
        out = word;
    return out;
}

} // namespace Engine

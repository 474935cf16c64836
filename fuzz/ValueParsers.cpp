// Attribute text from XML files through every value parser and conversion, and raw bytes through
// the bounded length-prefixed readers of the binary XML form.

#include "engine/core/String.h"

#include <cstddef>
#include <cstdint>

using namespace Engine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(wchar_t(data[i] | data[i + 1] << 8));

    int i = 0;
    unsigned u = 0;
    int32_t l = 0;
    uint32_t ul = 0;
    int64_t ll = 0;
    uint16_t u16 = 0;
    float f = 0;
    double d = 0;
    bool b = false;
    cColor color;
    cVector2 v2;
    cVector3 v3;
    std::string word;
    parseInt(i, text);
    parseUInt(u, text);
    parseLong(l, text);
    parseULong(ul, text);
    parseLongLong(ll, text);
    parseUInt16(u16, text);
    parseFloat(f, text);
    parseDouble(d, text);
    parseBool(b, text);
    parseColor(color, text);
    parseVector2(v2, text);
    parseVector3(v3, text);
    parseString(word, text);

    std::string utf8;
    wideToUtf8(text, utf8);
    std::wstring back;
    utf8ToWide(utf8, back);
    toWideString(wideToNarrow(text));
    narrowToUtf8(std::string(reinterpret_cast<const char*>(data), size));
    escapeXml(text);

    std::string narrow;
    std::wstring wide;
    readNarrowString(data, size, narrow);
    readWideString(data, size, wide);
    return 0;
}

#include "engine/core/String.h"

#include <gtest/gtest.h>

using namespace Engine;

// Every parser starts from a sentinel and must keep it on empty, bad or out-of-range text.
TEST(StringTest, IntParserKeepsOutputOnBadText) {
    struct Case {
        const wchar_t* text;
        int expected;
    } cases[] = {{L" 12abc", 12}, {L"abc", 7}, {L"", 7}, {L"-5", -5}, {L"99999999999", 7}};
    for (const auto& c : cases) {
        int value = 7;
        parseInt(value, c.text);
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(StringTest, IntegerParsersUseTheirOwnWidth) {
    struct Case {
        const wchar_t* text;
        int64_t asUInt, asLong, asLongLong, asUInt16;
    } cases[] = {
        {L"65535", 65535, 65535, 65535, 65535},
        {L"65536", 65536, 65536, 65536, 7},
        {L"2147483647", 2147483647, 2147483647, 2147483647, 7},
        {L"2147483648", 2147483648, 7, 2147483648, 7},
        {L"4294967296", 7, 7, 4294967296, 7},
        {L"-2147483648", 2147483648, -2147483648LL, -2147483648LL, 7},
        {L"-1", 4294967295, -1, -1, 65535},
        {L"9223372036854775808", 7, 7, 7, 7},
        {L"\t42 tail", 42, 42, 42, 42},
        {L"x42", 7, 7, 7, 7},
        {L"", 7, 7, 7, 7},
    };
    for (const auto& c : cases) {
        unsigned u = 7;
        int32_t l = 7;
        int64_t ll = 7;
        uint16_t u16 = 7;
        parseUInt(u, c.text);
        parseLong(l, c.text);
        parseLongLong(ll, c.text);
        parseUInt16(u16, c.text);
        EXPECT_EQ(u, c.asUInt) << c.text;
        EXPECT_EQ(l, c.asLong) << c.text;
        EXPECT_EQ(ll, c.asLongLong) << c.text;
        EXPECT_EQ(u16, c.asUInt16) << c.text;
    }
}

TEST(StringTest, ULongReadsHexOnlyAfterLowerCaseZeroX) {
    struct Case {
        const wchar_t* text;
        uint32_t expected;
    } cases[] = {{L"0x1F", 31},
                 {L"0X1F", 0},
                 {L"0xFFFFFFFF", 0xFFFFFFFFu},
                 {L"0x100000000", 7},
                 {L"4294967295", 4294967295u},
                 {L"4294967296", 7},
                 {L"0x", 7},
                 {L"0xZZ", 7},
                 {L"", 7}};
    for (const auto& c : cases) {
        uint32_t value = 7;
        parseULong(value, c.text);
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(StringTest, FloatAndDoubleParsers) {
    struct Case {
        const wchar_t* text;
        float asFloat;
        double asDouble;
    } cases[] = {{L"3.25", 3.25f, 3.25}, {L" -1.5e2x", -150.0f, -150.0},
                 {L".5", 0.5f, 0.5},     {L"1e40", 7.0f, 1e40},
                 {L"1e400", 7.0f, 7.0},  {L"abc", 7.0f, 7.0},
                 {L"", 7.0f, 7.0},       {L"2,5", 2.0f, 2.0}};
    for (const auto& c : cases) {
        float f = 7.0f;
        double d = 7.0;
        parseFloat(f, c.text);
        parseDouble(d, c.text);
        EXPECT_EQ(f, c.asFloat) << c.text;
        EXPECT_EQ(d, c.asDouble) << c.text;
    }
}

TEST(StringTest, BoolAcceptsOnlyZeroAndOne) {
    struct Case {
        const wchar_t* text;
        bool from, expected;
    } cases[] = {{L"1", false, true},  {L"0", true, false},     {L" 1 trailing", false, true},
                 {L"2", false, false}, {L"true", false, false}, {L"false", true, true},
                 {L"", true, true}};
    for (const auto& c : cases) {
        bool value = c.from;
        parseBool(value, c.text);
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(StringTest, ColorShortTextKeepsAlphaLongTextSetsIt) {
    struct Case {
        const wchar_t* text;
        uint32_t expected;
    } cases[] = {
        {L"80FF0000", 0x80FF0000u}, {L"FF0000", 0x40FF0000u}, {L"0xFF0000", 0x00FF0000u}, {L"0X00FF00", 0x0000FF00u},
        {L"ff", 0x400000FFu},       {L"", 0x40102030u},       {L"zz", 0x40102030u},       {L"1FFFFFFFF", 0x40102030u},
    };
    for (const auto& c : cases) {
        cColor color;
        color.fromARGB(0x40102030u);
        parseColor(color, c.text);
        EXPECT_EQ(color.toARGB(), c.expected) << c.text;
    }
    cColor color;
    parseColor(color, L"80FF0000");
    EXPECT_NEAR(color.a, 0.50196f, 1e-5f);
    EXPECT_FLOAT_EQ(color.r, 1.0f);
}

TEST(StringTest, VectorsSkipOneSeparatorAndSetOnlyWhatParsed) {
    struct Case {
        const wchar_t* text;
        cVector2 expected;
    } cases[] = {{L"3.5,-2", {3.5f, -2.0f}}, {L"3.5 -2", {3.5f, -2.0f}}, {L"7", {7.0f, 9.0f}},
                 {L"", {8.0f, 9.0f}},        {L"x,1", {8.0f, 9.0f}},     {L"1;;2", {1.0f, 9.0f}},
                 {L" 2e,3", {2.0f, 9.0f}},   {L"1e50,2", {8.0f, 9.0f}}};
    for (const auto& c : cases) {
        cVector2 v(8.0f, 9.0f);
        parseVector2(v, c.text);
        EXPECT_EQ(v, c.expected) << c.text;
    }
    cVector3 v3(7.0f, 8.0f, 9.0f);
    parseVector3(v3, L"1,2 3");
    EXPECT_EQ(v3, cVector3(1.0f, 2.0f, 3.0f));
    v3 = cVector3(7.0f, 8.0f, 9.0f);
    parseVector3(v3, L"1,2");
    EXPECT_EQ(v3, cVector3(1.0f, 2.0f, 9.0f));
}

TEST(StringTest, StringParserTakesOneWord) {
    struct Case {
        const wchar_t* text;
        const char* expected;
    } cases[] = {{L"  first second", "first"}, {L"caf\u00e9", "caf\xE9"}, {L"", "keep"}, {L"   ", "keep"}};
    for (const auto& c : cases) {
        std::string value = "keep";
        parseString(value, c.text);
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(StringTest, NarrowAndWideConversions) {
    struct Case {
        std::wstring wide;
        std::string narrow;
    } cases[] = {
        {L"plain", "plain"},
        {L"caf\u00e9", "caf\xE9"},
        {L"\u0414\u0430", "\xD0\x94\xD0\xB0"},
        {L"\u00e9\u0414", "\xC3\xA9\xD0\x94"},
        {std::wstring(1000, L'\u00e9'), std::string(1000, '\xE9')},
        {L"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wideToNarrow(c.wide), c.narrow);
        EXPECT_EQ(narrowFromWideCStr(c.wide.c_str()), c.narrow);
        EXPECT_EQ(cStringA(c.wide.c_str()), c.narrow);
        EXPECT_EQ(toWideString(c.narrow), c.wide);
    }
    EXPECT_EQ(narrowToWide("caf\xE9"), L"caf\u00e9");
    EXPECT_EQ(narrowToWide(std::string(300, 'a')).size(), 300u);
    EXPECT_EQ(narrowToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(narrowToUtf8("\xD0\x94"), "\xD0\x94");
    EXPECT_EQ(wstringFromInt(-305), L"-305");
    EXPECT_EQ(cStringW(42), L"42");
}

TEST(StringTest, Utf8RoundTripKeepsSurrogatePairs) {
    struct Case {
        std::wstring wide;
        std::string utf8;
    } cases[] = {
        {L"abc", "abc"},
        {L"\u00e9", "\xC3\xA9"},
        {L"\u20ac", "\xE2\x82\xAC"},
        {std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, "\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        std::string utf8 = "old";
        std::wstring wide = L"old";
        wideToUtf8(c.wide, utf8);
        utf8ToWide(c.utf8, wide);
        EXPECT_EQ(utf8, c.utf8);
        EXPECT_EQ(wide, c.wide);
    }
    std::wstring wide;
    utf8ToWide("a\xFF", wide);
    EXPECT_EQ(wide, L"a\uFFFD");
}

TEST(StringTest, CaseReplaceAndEscape) {
    std::string narrow = "Data/UI\\Big.XML \xC9";
    toLowerNarrow(narrow);
    replaceChar(narrow, '\\', '/');
    EXPECT_EQ(narrow, "data/ui/big.xml \xC9");
    std::wstring wide = L"ABC\u00c9z";
    toLowerWide(wide);
    EXPECT_EQ(wide, L"abc\u00c9z");
    replaceChar(wide, L'z', L'Z');
    EXPECT_EQ(wide, L"abc\u00c9Z");

    std::wstring text = L"a-b-c";
    replaceAll(text, L"-", L"--");
    EXPECT_EQ(text, L"a--b--c");
    replaceAll(text, L"", L"x");
    EXPECT_EQ(text, L"a--b--c");

    EXPECT_EQ(escapeXml(L"<a & \"b\" 'c'> &amp;"), L"&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt; &amp;amp;");
}

TEST(StringTest, LengthPrefixedReaders) {
    const uint8_t narrowBytes[] = {3, 0, 0, 0, 'a', 'b', 'c', 0xFF};
    const uint8_t wideBytes[] = {2, 0, 0, 0, 0x61, 0x00, 0x14, 0x04};
    const uint8_t empty[] = {0, 0, 0, 0};
    const uint8_t negative[] = {0xFF, 0xFF, 0xFF, 0xFF};

    std::string narrow = "keep";
    std::wstring wide = L"keep";
    EXPECT_EQ(readNarrowString(empty, narrow), 4);
    EXPECT_EQ(readWideString(empty, wide), 4);
    EXPECT_EQ(narrow, "keep");
    EXPECT_EQ(wide, L"keep");
    EXPECT_EQ(readNarrowString(narrowBytes, narrow), 7);
    EXPECT_EQ(readWideString(wideBytes, wide), 8);
    EXPECT_EQ(narrow, "abc");
    EXPECT_EQ(wide, L"a\u0414");

    // The bounded forms refuse counts that run past the buffer or are negative.
    EXPECT_EQ(readNarrowString(narrowBytes, 6, narrow), -1);
    EXPECT_EQ(readNarrowString(narrowBytes, 7, narrow), 7);
    EXPECT_EQ(readWideString(wideBytes, 7, wide), -1);
    EXPECT_EQ(readWideString(wideBytes, 8, wide), 8);
    EXPECT_EQ(readNarrowString(negative, 4, narrow), -1);
    EXPECT_EQ(readWideString(negative, 3, wide), -1);
    EXPECT_EQ(narrow, "abc");
    EXPECT_EQ(wide, L"a\u0414");
}

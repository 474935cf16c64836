#include "engine/core/Settings.h"

#include "tests/support/FileServices.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace Engine;
using TestSupport::FileServices;
using TestSupport::utf16Bytes;

namespace {

const char* const kSettings = "sys/settings.xml";
const wchar_t* const kHeader = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";

class SettingsTest : public ::testing::Test {
protected:
    void startWith(const std::string& xml) {
        m_services.writeData(kSettings, xml);
        m_services.start();
    }
    std::wstring stored(cSettings& settings, const wchar_t* section, const wchar_t* key) {
        std::wstring text;
        settings.getValue(section, key, text);
        return text;
    }

    FileServices m_services;
};

} // namespace

TEST_F(SettingsTest, MissingKeyKeepsValueAndIsWrittenEmptyAtShutdown) {
    startWith("<settings><Sound Music=\"70\"/></settings>");
    {
        cSettings settings(kSettings);
        EXPECT_EQ(getSettings(), &settings);
        bool fullscreen = true;
        EXPECT_FALSE(settings.getValue(L"graphics", L"fullscreen", fullscreen));
        EXPECT_TRUE(settings.getValue(L"graphics", L"fullscreen", fullscreen));
        EXPECT_TRUE(fullscreen);
    }
    EXPECT_EQ(getSettings(), nullptr);
    EXPECT_EQ(
        m_services.readUser(kSettings),
        utf16Bytes(std::wstring(kHeader) + L"<main><Sound Music=\"70\" /><graphics fullscreen=\"\" /></main>", true));
}

TEST_F(SettingsTest, TypedGettersParseGoodTextAndKeepTheValueOtherwise) {
    startWith("<settings><v int=\"-12\" uint=\"4000000000\" long=\"-7\" ulong=\"4294967295\" float=\"1.5\""
              " bool=\"1\" color=\"80FF0000\" rgb=\"00FF00\" vec=\"1 2 3\" text=\"H\xC3\xA9\""
              " bad=\"abc\" empty=\"\" word=\"true\" big=\"99999999999\" hex=\"0x1F\"/></settings>");
    cSettings settings(kSettings);

    int i = 0;
    unsigned u = 0;
    long l = 0;
    unsigned long ul = 0;
    float f = 0;
    bool b = false;
    cColor c(0.f, 0.f, 0.f, 1.f);
    cColor rgb(0.f, 0.f, 0.f, 1.f);
    cVector3 v;
    std::wstring w;
    std::string n;
    EXPECT_TRUE(settings.getValue(L"v", L"int", i));
    EXPECT_TRUE(settings.getValue(L"v", L"uint", u));
    EXPECT_TRUE(settings.getValue(L"v", L"long", l));
    EXPECT_TRUE(settings.getValue(L"v", L"ulong", ul));
    EXPECT_TRUE(settings.getValue(L"v", L"float", f));
    EXPECT_TRUE(settings.getValue(L"v", L"bool", b));
    EXPECT_TRUE(settings.getValue(L"v", L"color", c));
    EXPECT_TRUE(settings.getValue(L"v", L"rgb", rgb));
    EXPECT_TRUE(settings.getValue(L"v", L"vec", v));
    EXPECT_TRUE(settings.getValue(L"v", L"text", w));
    EXPECT_TRUE(settings.getValue(L"v", L"text", n));
    EXPECT_EQ(i, -12);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(l, -7);
    EXPECT_EQ(ul, 4294967295ul);
    EXPECT_FLOAT_EQ(f, 1.5f);
    EXPECT_TRUE(b);
    EXPECT_EQ(c.toARGB(), 0x80FF0000u);
    EXPECT_EQ(rgb.toARGB(), 0xFF00FF00u) << "six digits keep the caller's alpha";
    EXPECT_FLOAT_EQ(v.z, 3.f);
    EXPECT_EQ(w, L"H\u00E9");
    EXPECT_EQ(n, "H\xE9");

    // Present but unparsable: true, and the caller's value stays.
    for (const wchar_t* key : {L"bad", L"empty", L"word"}) {
        int i2 = 5;
        unsigned u2 = 5;
        long l2 = 5;
        unsigned long ul2 = 5;
        float f2 = 5;
        bool b2 = false;
        cColor c2(0.f, 0.f, 1.f, 1.f);
        cVector3 v2(5.f, 5.f, 5.f);
        EXPECT_TRUE(settings.getValue(L"v", key, i2));
        EXPECT_TRUE(settings.getValue(L"v", key, u2));
        EXPECT_TRUE(settings.getValue(L"v", key, l2));
        EXPECT_TRUE(settings.getValue(L"v", key, ul2));
        EXPECT_TRUE(settings.getValue(L"v", key, f2));
        EXPECT_TRUE(settings.getValue(L"v", key, b2));
        EXPECT_TRUE(settings.getValue(L"v", key, v2));
        EXPECT_EQ(i2, 5) << key;
        EXPECT_EQ(u2, 5u) << key;
        EXPECT_EQ(l2, 5) << key;
        EXPECT_EQ(ul2, 5u) << key;
        EXPECT_EQ(f2, 5.f) << key;
        EXPECT_FALSE(b2) << key;
        EXPECT_EQ(v2.x, 5.f) << key;
        // "abc" is hexadecimal, so only the others fail as colours.
        if (std::wstring(key) != L"bad") {
            EXPECT_TRUE(settings.getValue(L"v", key, c2));
            EXPECT_EQ(c2.toARGB(), 0xFF0000FFu) << key;
        }
    }
    // Out of the 32-bit range: the integers stay.
    int i3 = 5;
    unsigned u3 = 5;
    long l3 = 5;
    unsigned long ul3 = 5;
    settings.getValue(L"v", L"big", i3);
    settings.getValue(L"v", L"big", u3);
    settings.getValue(L"v", L"big", l3);
    settings.getValue(L"v", L"big", ul3);
    EXPECT_EQ(i3, 5);
    EXPECT_EQ(u3, 5u);
    EXPECT_EQ(l3, 5);
    EXPECT_EQ(ul3, 5u);
    // Integers are decimal: "0x1F" reads as its leading 0.
    unsigned long hex = 5;
    EXPECT_TRUE(settings.getValue(L"v", L"hex", hex));
    EXPECT_EQ(hex, 0u);
}

TEST_F(SettingsTest, SettersStoreTheirTextForms) {
    startWith("<settings/>");
    cSettings settings(kSettings);
    settings.setValue(L"s", L"red", cColor(1.f, 0.f, 0.f, 1.f));
    settings.setValue(L"s", L"white", cColor(1.f, 1.f, 1.f, 1.f));
    settings.setValue(L"s", L"vector", cVector3(1.5f, 2.f, 0.25f));
    settings.setValue(L"s", L"float", 3.14159265f);
    settings.setValue(L"s", L"true", true);
    settings.setValue(L"s", L"false", false);
    settings.setValue(L"s", L"int", -5);
    settings.setValue(L"s", L"uint", 4000000000u);
    settings.setValue(L"s", L"long", -7L);
    settings.setValue(L"s", L"ulong", 4294967295UL);
    settings.setValue(L"s", L"narrow", std::string("H\xE9"));
    settings.setValue(L"s", L"wide", std::wstring(L"a\"b<c&d"));

    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"red", L"0xffff0000"},   {L"white", L"0xffffffff"}, {L"vector", L"1.5 2 0.25"},
        {L"float", L"3.14159"},    {L"true", L"1"},           {L"false", L"0"},
        {L"int", L"-5"},           {L"uint", L"4000000000"},  {L"long", L"-7"},
        {L"ulong", L"4294967295"}, {L"narrow", L"H\u00E9"},   {L"wide", L"a\"b<c&d"},
    };
    for (const auto& [key, text] : expected)
        EXPECT_EQ(stored(settings, L"s", key), text) << key;
}

TEST_F(SettingsTest, TransparentColourKeepsItsZeroAlpha) {
    startWith("<settings/>");
    cSettings settings(kSettings);
    settings.setValue(L"s", L"green", cColor(0.f, 1.f, 0.f, 0.f));
    EXPECT_EQ(stored(settings, L"s", L"green"), L"0x0000ff00");
    cColor read(0.f, 0.f, 0.f, 1.f);
    settings.getValue(L"s", L"green", read);
    EXPECT_EQ(read.toARGB(), 0x0000FF00u);
}

TEST_F(SettingsTest, ElementsOfOneNameMergeAndLaterAttributesWin) {
    startWith("<settings><graphics width=\"800\"/><graphics height=\"600\" width=\"1024\"/></settings>");
    cSettings settings(kSettings);
    int width = 0, height = 0;
    EXPECT_TRUE(settings.getValue(L"graphics", L"width", width));
    EXPECT_TRUE(settings.getValue(L"graphics", L"height", height));
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 600);
}

TEST_F(SettingsTest, WrittenFileShadowsTheDefaultsAndKeepsSpecialCharacters) {
    startWith("<settings><graphics width=\"800\"/></settings>");
    {
        cSettings settings(kSettings);
        settings.setValue(L"graphics", L"width", 1024);
        settings.setValue(L"game", L"name", std::wstring(L"a\"b<c&d>e'f"));
        // A key that no XML attribute can hold is left out rather than spoiling the file.
        settings.setValue(L"game", L"bad key", 1);
    }
    EXPECT_EQ(m_services.readUser(kSettings),
              utf16Bytes(std::wstring(kHeader) + L"<main><game name=\"a&quot;b&lt;c&amp;d&gt;e&apos;f\" />"
                                                 L"<graphics width=\"1024\" /></main>",
                         true));

    m_services.restart();
    cSettings settings(kSettings);
    int width = 0;
    std::wstring name;
    settings.getValue(L"graphics", L"width", width);
    settings.getValue(L"game", L"name", name);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(name, L"a\"b<c&d>e'f");
}

TEST_F(SettingsTest, FailedWriteAtShutdownIsLoggedNotThrown) {
    startWith("<settings><graphics width=\"800\"/></settings>");
    // A folder where the file should go: the rename over it fails.
    std::filesystem::create_directories(m_services.userPath(kSettings));
    EXPECT_NO_THROW({
        cSettings settings(kSettings);
        settings.setValue(L"graphics", L"width", 1024);
    });
    EXPECT_TRUE(std::filesystem::is_directory(m_services.userPath(kSettings)));
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Settings not saved: "), std::string::npos) << log;
}

TEST_F(SettingsTest, SecondInstanceIsRefused) {
    startWith("<settings/>");
    cSettings settings(kSettings);
    try {
        cSettings second(kSettings);
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Object already exist.");
    }
    EXPECT_EQ(getSettings(), &settings);
}

TEST_F(SettingsTest, ConstantsWriteNothing) {
    m_services.writeConstants("window_title=\"Meadow\" DumpStrings=\"1\"");
    m_services.start();
    {
        cConstants constants("sys/constants.xml");
        EXPECT_EQ(getConstants(), &constants);
        std::wstring title;
        bool dump = false;
        float missing = 2.f;
        EXPECT_TRUE(constants.getValue(L"game", L"window_title", title));
        EXPECT_TRUE(constants.getValue(L"game", L"DumpStrings", dump));
        EXPECT_FALSE(constants.getValue(L"game", L"low_fps_value", missing));
        EXPECT_EQ(title, L"Meadow");
        EXPECT_TRUE(dump);
        EXPECT_EQ(missing, 2.f);
    }
    EXPECT_EQ(getConstants(), nullptr);
    EXPECT_FALSE(m_services.userExists("sys/constants.xml"));
}

TEST_F(SettingsTest, MissingFileFailsConstruction) {
    m_services.start();
    EXPECT_ANY_THROW(cSettings settings(kSettings));
    EXPECT_EQ(getSettings(), nullptr);
}

TEST_F(SettingsTest, DamagedUserFileGivesWayToTheDefaults) {
    m_services.writeUser(kSettings, "<main><graphics width=\"1024\"");
    startWith("<settings><graphics width=\"800\"/></settings>");
    cSettings settings(kSettings);
    int width = 0;
    EXPECT_TRUE(settings.getValue(L"graphics", L"width", width));
    EXPECT_EQ(width, 800);
}

TEST_F(SettingsTest, FullDiskAtShutdownKeepsThePreviousFile) {
    startWith("<settings><graphics width=\"800\"/></settings>");
    {
        cSettings settings(kSettings);
        settings.setValue(L"graphics", L"width", 1024);
    }
    const std::string previous = m_services.readUser(kSettings);
    auto settings = std::make_unique<cSettings>(kSettings);
    settings->setValue(L"game", L"long", std::wstring(4000, L'x'));
    {
        TestSupport::FileSizeLimit disk(2048);
        EXPECT_NO_THROW(settings.reset());
    }
    EXPECT_EQ(m_services.readUser(kSettings), previous);
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("Settings not saved: "), std::string::npos) << log;
}

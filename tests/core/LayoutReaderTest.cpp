#include "engine/core/LayoutReader.h"

#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "tests/support/FileServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Engine;

namespace {

std::unique_ptr<cXmlDocument> element(const std::string& attributes) {
    const std::string text = "<Layout " + attributes + "/>";
    auto document = std::make_unique<cXmlDocument>();
    EXPECT_TRUE(document->parseBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size())) << text;
    return document;
}

std::string thrownText(const IXmlNode* node, const wchar_t* key, float forbidden) {
    float value = 7;
    try {
        cLayoutReader::readDivisor(node, key, value, forbidden);
    } catch (const cStringA& error) {
        EXPECT_EQ(value, 7) << "a refused divisor is not stored";
        return error;
    }
    return "nothing thrown";
}

} // namespace

TEST(LayoutReader, ReadsOnlyWhatIsThereAndParses) {
    const struct {
        const char* attributes;
        bool read;
        float value;
    } cases[] = {
        {"time=\"2.5\"", true, 2.5f},  {"time=\"-3\"", true, -3.0f}, {"time=\"1e2\"", true, 100.0f},
        {"other=\"2\"", false, 7.0f},  {"time=\"\"", false, 7.0f},   {"time=\"abc\"", false, 7.0f},
        {"time=\"nan\"", false, 7.0f},
    };
    for (const auto& c : cases) {
        auto node = element(c.attributes);
        float value = 7;
        EXPECT_EQ(cLayoutReader::readFloat(node.get(), L"time", value), c.read) << c.attributes;
        EXPECT_EQ(value, c.value) << c.attributes;
        int whole = 7;
        EXPECT_EQ(cLayoutReader::readInt(node.get(), L"time", whole), c.read) << c.attributes;
        EXPECT_EQ(whole, int(c.value)) << c.attributes;
    }
}

TEST(LayoutReader, VectorsAndColoursKeepTheirValueWhenMissing) {
    auto node = element("pos=\"3,4\" tint=\"FF00FF00\"");
    cVector2 pos(1, 2), missing(1, 2);
    EXPECT_TRUE(cLayoutReader::readVector(node.get(), L"pos", pos));
    EXPECT_EQ(pos, cVector2(3, 4));
    EXPECT_FALSE(cLayoutReader::readVector(node.get(), L"size", missing));
    EXPECT_EQ(missing, cVector2(1, 2));
    cColor tint, none(0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(cLayoutReader::readColor(node.get(), L"tint", tint));
    EXPECT_EQ(tint, cColor(0, 1, 0, 1));
    EXPECT_FALSE(cLayoutReader::readColor(node.get(), L"shade", none));
    EXPECT_EQ(none, cColor(0.5f, 0.5f, 0.5f, 0.5f));
}

TEST(LayoutReader, DivisorsAreRefusedNamingTheLayoutAndTheKey) {
    TestSupport::FileServices services;
    services.writeData("View/Fly.xml", "<Fly fly_up_time=\"0\" param=\"1\" speed=\"2\"/>");
    services.start();
    IXmlNode* layout = getResourceManager()->getXml("View/Fly.xml");
    EXPECT_EQ(thrownText(layout, L"fly_up_time", 0.0f),
              "Layout \"view/fly.xml\": \"fly_up_time\" must not be 0: it is used as a divisor.");
    EXPECT_EQ(thrownText(layout, L"param", 1.0f),
              "Layout \"view/fly.xml\": \"param\" must not be 1: it is used as a divisor.");
    float speed = 0;
    EXPECT_TRUE(cLayoutReader::readDivisor(layout, L"speed", speed));
    EXPECT_EQ(speed, 2.0f);
    float missing = 0;
    EXPECT_FALSE(cLayoutReader::readDivisor(layout, L"missing", missing)) << "a missing key is no error";
    layout->decRef();
    // An element of no cached document.
    auto loose = element("time=\"0\"");
    EXPECT_EQ(cLayoutReader::layoutName(loose.get()), "?");
}

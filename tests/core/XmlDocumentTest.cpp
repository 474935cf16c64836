#include "engine/core/XmlDocument.h"

#include "engine/core/FatalError.h"
#include "engine/core/FileSystem.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "tests/support/FileServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace Engine;

namespace {

std::unique_ptr<cXmlDocument> parse(const std::string& text) {
    auto document = std::make_unique<cXmlDocument>();
    EXPECT_TRUE(document->parseBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size())) << text;
    return document;
}

bool parses(const std::string& bytes) {
    cXmlDocument document;
    return document.parseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

IXmlNode* child(const IXmlNode* node, const std::string& path) {
    IXmlNode* current = const_cast<IXmlNode*>(node);
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        IXmlNode* next = nullptr;
        if (!current->findNode(path.substr(start, end - start), next))
            return nullptr;
        current = next;
        start = end + 1;
    }
    return current;
}

std::vector<std::string> childNames(const cXmlDocument& node) {
    std::vector<std::string> names;
    for (auto it = node.nodesBegin(); it != node.nodesEnd(); ++it)
        names.push_back(it->first);
    return names;
}

// Builders of the binary form: little-endian counts, UTF-16 units as 2 bytes.
std::string int32le(int32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[size_t(i)] = char(uint32_t(v) >> (8 * i));
    return out;
}
std::string narrowBin(const std::string& s) {
    return int32le(int32_t(s.size())) + s;
}
std::string wideBin(const std::wstring& s) {
    return int32le(int32_t(s.size())) + TestSupport::utf16Bytes(s, false);
}

// A data folder with the files a test writes, the file system over it, and a user folder of its own.
class XmlDocument : public ::testing::Test {
protected:
    void TearDown() override {
        m_manager.reset();
        m_fileSystem.reset();
    }

    void writeData(const std::string& name, const std::string& bytes) const { m_folders.writeData(name, bytes); }
    IFileSystem& fileSystem() {
        if (!m_fileSystem)
            m_fileSystem = std::make_unique<cFileSystem>(m_folders.dataFolder(), "pack");
        return *m_fileSystem;
    }
    cResourceManager& manager() {
        fileSystem();
        if (!m_manager)
            m_manager = std::make_unique<cResourceManager>();
        return *m_manager;
    }
    void writeUser(const std::string& name, const std::string& bytes) {
        auto file = fileSystem().openWrite(name, true);
        file->write(bytes.data(), int32_t(bytes.size()));
        file->close();
    }
    std::string readUser(const std::string& name) {
        const std::wstring& folder = fileSystem().getUserFolder();
        return TestSupport::readFileBytes(std::string(folder.begin(), folder.end()) + name);
    }
    // The text of the exception a load throws, whatever its type.
    std::string loadError(const std::string& path) {
        fileSystem();
        try {
            cXmlDocument document(path);
        } catch (const cStringA& text) {
            return text;
        } catch (const std::string& text) {
            return "std::string: " + text;
        } catch (const char* text) {
            return std::string("char*: ") + text;
        }
        return "no error";
    }

    TestSupport::DataFolders m_folders;
    std::unique_ptr<cFileSystem> m_fileSystem;
    std::unique_ptr<cResourceManager> m_manager;
};

} // namespace

TEST_F(XmlDocument, ChildrenAreEnumeratedInNameOrderAndListedInFileOrder) {
    auto doc = parse("<Root><Zeta/><Item n='1'/><Alpha/><Item n='2'/><Mid/><Item n='3'/></Root>");
    EXPECT_EQ(childNames(*doc), (std::vector<std::string>{"Alpha", "Item", "Item", "Item", "Mid", "Zeta"}));
    std::string name;
    IXmlNode* node = nullptr;
    ASSERT_TRUE(doc->getNodeAt(0, node, &name));
    EXPECT_EQ(name, "Alpha");
    ASSERT_TRUE(doc->getNodeAt(5, node, &name));
    EXPECT_EQ(name, "Zeta");
    EXPECT_FALSE(doc->getNodeAt(6, node));
    EXPECT_FALSE(doc->getNodeAt(-1, node));
    // Any order of indexes gives the same children as a walk from the start.
    const std::vector<std::string> names = childNames(*doc);
    for (int index : {3, 4, 1, 5, 0, 2, 2, 5}) {
        ASSERT_TRUE(doc->getNodeAt(index, node, &name));
        EXPECT_EQ(name, names[size_t(index)]) << index;
    }

    tXmlNodeList items;
    EXPECT_EQ(doc->getNodes("Item", items), 3);
    ASSERT_EQ(items.size(), 3u);
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->getAttribute(L"n"), std::to_wstring(i + 1));
    EXPECT_EQ(doc->countNodes("Item"), 3);
    EXPECT_EQ(doc->getNodeCount(), 6);
    EXPECT_EQ(doc->getChildCount(), 6);

    IXmlNode* leaf = nullptr;
    ASSERT_TRUE(doc->findNode("Alpha", leaf));
    IXmlNode* untouched = leaf;
    EXPECT_FALSE(leaf->getNodeAt(0, node));
    EXPECT_FALSE(doc->findNode("Missing", leaf));
    EXPECT_EQ(leaf, untouched);
}

TEST_F(XmlDocument, CollectNodesWalksTheWholeTree) {
    auto doc = parse("<R><B><X i='2'/></B><X i='1'/><A><X i='3'/><C><X i='4'/></C></A></R>");
    tXmlNodeList found;
    EXPECT_EQ(doc->collectNodes("X", found), 4);
    std::wstring order;
    for (IXmlNode* node : found)
        order += node->getAttribute(L"i");
    // Own children first, then each child's in name order (A before B before X).
    EXPECT_EQ(order, L"1342");
}

TEST_F(XmlDocument, AttributesAreUtf16AndMissingOnesAreEmpty) {
    // é (2 bytes), € (3 bytes), 😀 (4 bytes: a surrogate pair), an escaped quote and ampersand.
    auto doc = parse("<R a='\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80' b='&quot;&amp;&lt;' z='last'/>");
    EXPECT_EQ(doc->getAttribute(L"a"), (std::wstring{0xE9, 0x20AC, 0xD83D, 0xDE00}));
    EXPECT_EQ(doc->getAttribute(std::wstring(L"b")), L"\"&<");
    EXPECT_EQ(doc->getAttribute(L"missing"), L"");
    EXPECT_EQ(doc->getAttributeCount(), 3);
    ASSERT_NE(doc->getAttributeAt(2), nullptr);
    EXPECT_EQ(doc->getAttributeAt(2)->first, L"z");
    EXPECT_EQ(doc->getAttributeAt(3), nullptr);
    EXPECT_EQ(doc->attributesBegin()->first, L"a");
}

TEST_F(XmlDocument, ElementNamesAreNarrow) {
    // An element named with é (Latin-1 range) becomes the byte 0xE9; ASCII stays as it is.
    auto doc = parse("<R><caf\xC3\xA9/><plain/></R>");
    IXmlNode* node = nullptr;
    EXPECT_TRUE(doc->findNode("caf\xE9", node));
    EXPECT_TRUE(doc->findNode("plain", node));
}

TEST_F(XmlDocument, TextKeepsWhiteSpaceAroundChildren) {
    auto doc = parse("<R>\n  <A>x &amp; <![CDATA[<y>]]></A>\n  <B/>\n</R>");
    EXPECT_EQ(doc->getText(), L"\n  \n  \n");
    EXPECT_EQ(child(doc.get(), "A")->asWString(), L"x & <y>");
}

TEST_F(XmlDocument, GetValueReadsChildElementTextNotAttributes) {
    auto doc = parse("<R Speed='9'><Speed>1.5</Speed><Speed>2.5</Speed><Flag>1</Flag><Pos>3.5,-2</Pos>"
                     "<Col>80FF0000</Col><Big>-9000000000</Big><U>0x1F</U><I>-12abc</I><W>caf\xC3\xA9</W>"
                     "<Bad>abc</Bad></R>");
    float speed = 0;
    EXPECT_TRUE(doc->getValue("Speed", speed));
    EXPECT_FLOAT_EQ(speed, 1.5f);
    double d = 0;
    EXPECT_TRUE(doc->getValue("Speed", d));
    EXPECT_DOUBLE_EQ(d, 1.5);
    bool flag = false;
    EXPECT_TRUE(doc->getValue("Flag", flag));
    EXPECT_TRUE(flag);
    cVector2 pos;
    EXPECT_TRUE(doc->getValue("Pos", pos));
    EXPECT_EQ(pos, cVector2(3.5f, -2.0f));
    cColor color;
    EXPECT_TRUE(doc->getValue("Col", color));
    EXPECT_NEAR(color.a, 0.50196f, 1e-4);
    EXPECT_FLOAT_EQ(color.r, 1.0f);
    int64_t big = 0;
    EXPECT_TRUE(doc->getValue("Big", big));
    EXPECT_EQ(big, -9000000000LL);
    uint32_t u = 0;
    EXPECT_TRUE(doc->getValue("U", u));
    EXPECT_EQ(u, 31u);
    int32_t i = 0;
    EXPECT_TRUE(doc->getValue("I", i));
    EXPECT_EQ(i, -12);
    std::wstring w;
    EXPECT_TRUE(doc->getValue("W", w));
    EXPECT_EQ(w, L"caf\xE9");
    std::string n;
    EXPECT_TRUE(doc->getValue("W", n));
    EXPECT_EQ(n, "caf\xE9");

    // A missing child and unparsable text both leave the caller's default.
    float keep = 7.0f;
    EXPECT_FALSE(doc->getValue("Missing", keep));
    EXPECT_TRUE(doc->getValue("Bad", keep));
    EXPECT_EQ(keep, 7.0f);
    int32_t keepInt = 5;
    EXPECT_FALSE(doc->getValue("speed", keepInt)); // names are case-sensitive
    EXPECT_EQ(keepInt, 5);
}

TEST_F(XmlDocument, ConversionsOfTheNodesOwnText) {
    auto doc = parse("<R><F> 2.25</F><N>-42</N><H>4294967295</H><V>1 2</V><C>FF0000</C><C8>80FF0000</C8>"
                     "<T>1</T><X>junk</X><E/></R>");
    EXPECT_FLOAT_EQ(child(doc.get(), "F")->asFloat(), 2.25f);
    EXPECT_DOUBLE_EQ(child(doc.get(), "F")->asDouble(), 2.25);
    EXPECT_EQ(child(doc.get(), "N")->asInt(), -42);
    EXPECT_EQ(child(doc.get(), "N")->asLong(), -42);
    EXPECT_EQ(child(doc.get(), "N")->asLongLong(), -42);
    EXPECT_EQ(child(doc.get(), "H")->asUInt(), 4294967295u);
    EXPECT_EQ(child(doc.get(), "H")->asULong(), 4294967295u);
    EXPECT_EQ(child(doc.get(), "V")->asVector2(), cVector2(1.0f, 2.0f));
    // Six digits are 0x00RRGGBB here: alpha 0, unlike parseColor.
    cColor six = child(doc.get(), "C")->asColor();
    EXPECT_FLOAT_EQ(six.r, 1.0f);
    EXPECT_FLOAT_EQ(six.a, 0.0f);
    EXPECT_NEAR(child(doc.get(), "C8")->asColor().a, 0.50196f, 1e-4);
    EXPECT_TRUE(child(doc.get(), "T")->asBool());
    EXPECT_EQ(child(doc.get(), "T")->asString(), "1");
    // Unparsable or empty text gives zero.
    for (const char* name : {"X", "E"}) {
        IXmlNode* node = child(doc.get(), name);
        EXPECT_EQ(node->asInt(), 0) << name;
        EXPECT_EQ(node->asFloat(), 0.0f) << name;
        EXPECT_FALSE(node->asBool()) << name;
        EXPECT_EQ(node->asColor().a, 0.0f) << name;
    }
}

TEST_F(XmlDocument, CopyInheritsAnEarlierElementOfTheSameFile) {
    auto doc = parse("<R><Base w='1' h='2'><Part k='a'>text</Part></Base>"
                     "<Tpl><Deep x='1'/></Tpl>"
                     "<Win copy='Base' h='5' extra='e'/>"
                     "<Win2 copy='Tpl\\Deep'/>"
                     "<None copy='Base/Missing' own='o'/>"
                     "<Later copy='After'/><After a='1'/>"
                     "<Bar copy='|Tpl/Deep'/></R>");
    IXmlNode* win = child(doc.get(), "Win");
    EXPECT_EQ(win->getAttribute(L"w"), L"1");
    EXPECT_EQ(win->getAttribute(L"h"), L"5");
    EXPECT_EQ(win->getAttribute(L"extra"), L"e");
    EXPECT_EQ(win->getAttribute(L"copy"), L"");
    ASSERT_NE(child(win, "Part"), nullptr);
    EXPECT_EQ(child(win, "Part")->getAttribute(L"k"), L"a");
    EXPECT_TRUE(static_cast<cXmlDocument*>(win)->isCopied());
    EXPECT_EQ(child(doc.get(), "Win2")->getAttribute(L"x"), L"1");
    // An empty file part names this document.
    EXPECT_EQ(child(doc.get(), "Bar")->getAttribute(L"x"), L"1");
    // A path that is not found, or an element later in the file, copies nothing.
    EXPECT_EQ(child(doc.get(), "None")->getAttributeCount(), 1);
    EXPECT_EQ(child(doc.get(), "Later")->getAttributeCount(), 0);
    // "copy" counts only as the first attribute.
    auto plain = parse("<R><Base a='1'/><X b='2' copy='Base'/></R>");
    EXPECT_EQ(child(plain.get(), "X")->getAttribute(L"copy"), L"Base");
    EXPECT_EQ(child(plain.get(), "X")->getAttribute(L"a"), L"");
}

TEST_F(XmlDocument, CopiedChildTextIsInheritedAndReplacedByAMergingElement) {
    auto doc = parse("<R><Base><Speed>1.5</Speed><Name>n</Name></Base>"
                     "<W copy='Base'><Speed>2.5</Speed></W></R>");
    IXmlNode* w = child(doc.get(), "W");
    float speed = 0;
    EXPECT_TRUE(w->getValue("Speed", speed));
    EXPECT_FLOAT_EQ(speed, 2.5f);
    std::wstring name;
    EXPECT_TRUE(w->getValue("Name", name));
    EXPECT_EQ(name, L"n");
}

TEST_F(XmlDocument, MergedChildrenFollowTheirRunCount) {
    auto doc = parse("<R><Base><Item v='1'/><Item v='2'/><Other/></Base>"
                     "<A copy='Base'><Item m='a'/><Item m='b'/><Item m='c'/></A>"
                     "<B copy='Base'><Item m='a'/><Other o='1'/><Item m='b'/></B></R>");
    tXmlNodeList items;
    child(doc.get(), "A")->getNodes("Item", items);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->getAttribute(L"v") + items[0]->getAttribute(L"m"), L"1a");
    EXPECT_EQ(items[1]->getAttribute(L"v") + items[1]->getAttribute(L"m"), L"2b");
    EXPECT_EQ(items[2]->getAttribute(L"v") + items[2]->getAttribute(L"m"), L"c");

    // Another element between two Items restarts the run: the later Item merges into the first.
    items.clear();
    child(doc.get(), "B")->getNodes("Item", items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->getAttribute(L"m"), L"b");
    EXPECT_EQ(items[1]->getAttribute(L"m"), L"");
    EXPECT_EQ(child(doc.get(), "B/Other")->getAttribute(L"o"), L"1");
}

TEST_F(XmlDocument, RemoveDeletesInheritedChildrenOnlyInCopiedElements) {
    auto doc = parse("<R><Base><Item v='1'><Sub/></Item><Item v='2'/><Keep/></Base>"
                     "<A copy='Base'><Item remove=''><Ignored/></Item><Item v='3'/></A>"
                     "<B><Item remove='yes'/></B></R>");
    tXmlNodeList items;
    child(doc.get(), "A")->getNodes("Item", items);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->getAttribute(L"v"), L"3");
    EXPECT_EQ(items[0]->getNodeCount(), 0);
    EXPECT_NE(child(doc.get(), "A/Keep"), nullptr);
    EXPECT_EQ(child(doc.get(), "B/Item")->getAttribute(L"remove"), L"yes");
}

TEST_F(XmlDocument, CopyOfAnAncestorEnds) {
    auto doc = parse("<R><A x='1'><B copy='A'/><C copy='A'/></A></R>");
    IXmlNode* b = child(doc.get(), "A/B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getAttribute(L"x"), L"1");
    // B got A's children as they were when B started: B itself, still empty.
    EXPECT_NE(child(b, "B"), nullptr);
    EXPECT_NE(child(doc.get(), "A/C/B/B"), nullptr);
}

TEST_F(XmlDocument, CopiesThatExplodeOrNestTooDeeplyAreRefused) {
    // Every level copies the whole tree before it: 2^40 nodes if nothing stopped it.
    std::string text = "<R><L0 a='1'/>";
    for (int i = 1; i <= 40; ++i)
        text += "<L" + std::to_string(i) + "><x copy='L" + std::to_string(i - 1) + "'/><y copy='L" +
                std::to_string(i - 1) + "'/></L" + std::to_string(i) + ">";
    text += "</R>";
    EXPECT_FALSE(parses(text));

    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<a>";
    for (int i = 0; i < 5000; ++i)
        deep += "</a>";
    EXPECT_FALSE(parses(deep));
}

TEST_F(XmlDocument, MalformedTextFailsWithLineAndColumn) {
    struct Case {
        std::string text, error;
    } cases[] = {
        {"<R>\n<A></R>", "mismatched tag line 2 char 5"},
        {"<R a='1' a='2'/>", "duplicate attribute line 1 char 9"},
        {"<R>", "no element found line 1 char 3"},
        {"plain text", "syntax error line 1 char 0"},
        {"<R/><S/>", "junk after document element line 1 char 4"},
        {"", "empty file"},
    };
    for (const Case& c : cases) {
        errorCallStack() = "stale";
        EXPECT_FALSE(parses(c.text)) << c.text;
        EXPECT_EQ(errorCallStack(), c.error) << c.text;
    }
}

TEST_F(XmlDocument, Utf16TextWithOrWithoutByteOrderUnitIsRead) {
    auto utf16 = [](const std::wstring& text, bool bom) {
        std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
        for (wchar_t c : text) {
            out += char(c & 0xFF);
            out += char(c >> 8);
        }
        return out;
    };
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><main><game name=\"\x0416\"/></main>";
    for (bool bom : {true, false}) {
        auto doc = parse(utf16(text, bom));
        EXPECT_EQ(child(doc.get(), "game")->getAttribute(L"name"), std::wstring(1, wchar_t(0x0416))) << bom;
    }
}

TEST_F(XmlDocument, ParsingAgainGivesAFreshTree) {
    cXmlDocument doc;
    std::string first = "<R a='1'><X/><X/></R>", second = "<R b='2'><X/></R>";
    ASSERT_TRUE(doc.parseBytes(reinterpret_cast<const uint8_t*>(first.data()), first.size()));
    IXmlNode* node = nullptr;
    ASSERT_TRUE(doc.getNodeAt(1, node));
    ASSERT_TRUE(doc.parseBytes(reinterpret_cast<const uint8_t*>(second.data()), second.size()));
    EXPECT_EQ(doc.countNodes("X"), 1);
    EXPECT_FALSE(doc.getNodeAt(1, node));
    EXPECT_TRUE(doc.getNodeAt(0, node));
    EXPECT_EQ(doc.getAttribute(L"a"), L"");
    EXPECT_EQ(doc.getAttribute(L"b"), L"2");
}

TEST_F(XmlDocument, BinaryFormIsDecoded) {
    // Root: attributes b, a (and a duplicate a), children Zeta then Alpha, text "t".
    std::string leaf = int32le(0) + int32le(0) + wideBin(L"");
    std::string zeta = int32le(1) + wideBin(L"k") + wideBin(L"\x0416") + int32le(0) + wideBin(L"z");
    std::string bytes = ">" + int32le(3) + wideBin(L"b") + wideBin(L"2") + wideBin(L"a") + wideBin(L"1") +
                        wideBin(L"a") + wideBin(L"dup") + int32le(2) + narrowBin("Zeta") + zeta + narrowBin("Alpha") +
                        leaf + wideBin(L"t");
    auto doc = parse(bytes);
    EXPECT_EQ(doc->getAttribute(L"a"), L"1");
    EXPECT_EQ(doc->getAttribute(L"b"), L"2");
    EXPECT_EQ(doc->getText(), L"t");
    EXPECT_EQ(childNames(*doc), (std::vector<std::string>{"Alpha", "Zeta"}));
    EXPECT_EQ(child(doc.get(), "Zeta")->getAttribute(L"k"), std::wstring(1, wchar_t(0x0416)));
    EXPECT_EQ(child(doc.get(), "Zeta")->asWString(), L"z");

    // Every cut-off prefix, and counts that run past the end, fail without reading past the data.
    for (size_t length = 1; length < bytes.size(); ++length)
        EXPECT_FALSE(parses(bytes.substr(0, length))) << length;
    EXPECT_FALSE(parses(">" + int32le(0x7FFFFFFF)));
    EXPECT_FALSE(parses(">" + int32le(-1)));
    EXPECT_FALSE(parses(">" + int32le(1) + int32le(0x40000000)));
}

TEST_F(XmlDocument, LoadsAFileOfTheNameSpace) {
    writeData("Layouts/Main.xml", "<R><Button name='ok'/></R>");
    fileSystem();
    cXmlDocument doc("layouts/MAIN.xml");
    EXPECT_EQ(child(&doc, "Button")->getAttribute(L"name"), L"ok");
    EXPECT_EQ(doc.getKind(), RESOURCE_XML);
    EXPECT_TRUE(doc.decRef());
}

TEST_F(XmlDocument, LoadFailuresNameTheFile) {
    writeData("bad.xml", "<R>\n  <A>\n</R>");
    writeData("empty.xml", "");
    EXPECT_EQ(loadError("missing.xml"), "std::string: File \"missing.xml\" not found.");
    EXPECT_EQ(loadError("bad.xml"), "mismatched tag line 3 char 2 filename: bad.xml");
    EXPECT_EQ(errorCallStack(), "mismatched tag line 3 char 2 filename: bad.xml");
    EXPECT_EQ(loadError("empty.xml"), "empty file filename: empty.xml");
}

TEST_F(XmlDocument, BinaryFormIsReadEvenWithTheXmlExtension) {
    writeData("pre.xml", ">" + int32le(1) + wideBin(L"k") + wideBin(L"v") + int32le(0) + wideBin(L""));
    fileSystem();
    cXmlDocument doc("pre.xml");
    EXPECT_EQ(doc.getAttribute(L"k"), L"v");
}

TEST_F(XmlDocument, MalformedUserFileMakesWayForTheFileItShadowed) {
    writeData("sys/settings.xml", "<main><sound volume='50'/></main>");
    const std::string cut = "<main><graphics full='1'/><sound volume='8";
    writeUser("sys/settings.xml", cut);
    ASSERT_TRUE(fileSystem().isUserFile("sys/settings.xml"));

    cXmlDocument doc("sys/settings.xml");
    // A fresh tree: nothing of the half-read user file is left.
    EXPECT_EQ(child(&doc, "sound")->getAttribute(L"volume"), L"50");
    EXPECT_EQ(child(&doc, "graphics"), nullptr);
    EXPECT_FALSE(fileSystem().isUserFile("sys/settings.xml"));
    // The player's bytes are kept beside it.
    EXPECT_EQ(readUser("sys/settings.xml.bad"), cut);
}

TEST_F(XmlDocument, MalformedUserFileWithNothingBehindItIsReported) {
    writeUser("profiles/00000001.xml", "<Props><prop");
    EXPECT_EQ(loadError("profiles/00000001.xml"), "unclosed token line 1 char 7 filename: profiles/00000001.xml");
    EXPECT_FALSE(fileSystem().exists("profiles/00000001.xml"));
    EXPECT_EQ(readUser("profiles/00000001.xml.bad"), "<Props><prop");
}

TEST_F(XmlDocument, MalformedUserFileIsKeptBesideItself) {
    // Written by another program, in its own case.
    m_folders.writeUser("Profiles/00000001.xml", "<Props><prop");
    EXPECT_NE(loadError("profiles/00000001.xml"), "");
    EXPECT_EQ(readUser("Profiles/00000001.xml.bad"), "<Props><prop");
    EXPECT_FALSE(std::filesystem::exists(m_folders.userPath("profiles")));
}

TEST_F(XmlDocument, CopyFromAnotherFileGoesThroughTheResourceCache) {
    writeData("base.xml", "<B><Tpl><Button w='10'><Label t='x'/></Button></Tpl></B>");
    writeData("screen.xml", "<S><Ok copy='base.xml|Tpl/Button' h='4'/><No copy='base.xml|Tpl/Missing'/></S>");
    IXmlNode* screen = manager().getXml("screen.xml");
    IXmlNode* ok = child(screen, "Ok");
    EXPECT_EQ(ok->getAttribute(L"w"), L"10");
    EXPECT_EQ(ok->getAttribute(L"h"), L"4");
    EXPECT_NE(child(ok, "Label"), nullptr);
    EXPECT_EQ(child(screen, "No")->getAttributeCount(), 0);
    EXPECT_NE(manager().findEntry("base.xml"), nullptr);
}

TEST_F(XmlDocument, CopyWithoutAResourceManagerReadsTheOtherFileDirectly) {
    writeData("base.xml", "<B><Tpl v='1'/></B>");
    writeData("user.xml", "<U><X copy='base.xml|Tpl'/></U>");
    fileSystem();
    cXmlDocument doc("user.xml");
    EXPECT_EQ(child(&doc, "X")->getAttribute(L"v"), L"1");
}

TEST_F(XmlDocument, CopyFailuresOfTheOtherFileComeThrough) {
    writeData("a.xml", "<A><X copy='b.xml|Y'/></A>");
    writeData("b.xml", "<B><Y copy='a.xml|X'/></B>");
    writeData("self.xml", "<S><Y/><X copy='self.xml|Y'/></S>");
    writeData("lost.xml", "<L><X copy='nowhere.xml|Y'/></L>");
    writeData("broken.xml", "<L><X copy='bad.xml|Y'/></L>");
    writeData("bad.xml", "<B>");
    manager();
    EXPECT_EQ(loadError("a.xml"), "XML \"copy\" loop: a.xml -> b.xml -> a.xml");
    EXPECT_EQ(loadError("self.xml"), "XML \"copy\" loop: self.xml -> self.xml");
    EXPECT_EQ(loadError("lost.xml"), "std::string: File \"nowhere.xml\" not found.");
    EXPECT_EQ(loadError("broken.xml"), "no element found line 1 char 3 filename: bad.xml");
    // Nothing half-loaded stays cached.
    EXPECT_EQ(manager().findEntry("a.xml"), nullptr);
    EXPECT_EQ(manager().findEntry("b.xml"), nullptr);
}

TEST_F(XmlDocument, EscapedTextWrittenAsUtf16ReadsBackAsWritten) {
    const std::wstring tricky =
        std::wstring(L"a\"b<c>&d'e\tf\ng\r\nh ") + wchar_t(0x0416) + wchar_t(0xD83D) + wchar_t(0xDE00) + L"&amp;";
    fileSystem();
    writeUtf16File("sys/settings.xml",
                   L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><main><s v=\"" + escapeXml(tricky) + L"\" /></main>");
    cXmlDocument settings("sys/settings.xml");
    EXPECT_EQ(child(&settings, "s")->getAttribute(L"v"), tricky);

    // The strings dump: element text, UTF-16 without the byte-order unit.
    std::wstring dump = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Strings><s>\n<text>" + escapeXml(tricky) +
                        L"</text>\n</s></Strings>";
    std::string bytes;
    for (wchar_t unit : dump) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    writeUser("strdubp.xml", bytes);
    cXmlDocument strings("strdubp.xml");
    EXPECT_EQ(child(&strings, "s/text")->asWString(), tricky);

    // Units that XML cannot hold become U+FFFD instead of making the file unreadable.
    std::wstring unwritable = {L'a', 0x01, 0xD800, L'b', 0xDC00, 0xFFFF};
    writeUtf16File("bad.xml", L"<r v=\"" + escapeXml(unwritable) + L"\"/>");
    cXmlDocument kept("bad.xml");
    EXPECT_EQ(kept.getAttribute(L"v"), (std::wstring{L'a', 0xFFFD, 0xFFFD, L'b', 0xFFFD, 0xFFFD}));
}

// The shipped data folder against the names in use: every file a data file (layouts, tables,
// atlas maps, the resource log, fonts, effects) or the code names exists, and every file under
// Data is named by a data file, by the code or by a test. Names are compared as the file system
// finds them, without regard to case; a picture may also live in an atlas page.

#include "game/development/CatPersonModel.h"
#include "game/development/UnitView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const EXTENSIONS[] = {"png", "jpg", "xml", "fnt", "pfx", "ogg", "wav"};

// Names the code uses that are not shipped data, each with its reason.
const char* const NOT_SHIPPED[] = {
    "logo/logo2.png",  // the optional second logo, skipped when missing
    "sys/strings.xml", // optional translations, read when present
    "strdubp.xml",     // the texts to translate, written at shut-down
    "profiles.xml",    // the profile list, in the user folder
    "screenshot.jpg",  // written to the user folder
};

// Folders a test reads whole: the font data test checks every font there.
const char* const READ_WHOLE_BY_TESTS[] = {"fonts/"};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool isPathChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '/' || c == '-' || c == '\\';
}

// A name with a stem and one of the data files' extensions.
bool hasDataExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || name[dot - 1] == '/')
        return false;
    const std::string extension = lower(name.substr(dot + 1));
    return std::find(std::begin(EXTENSIONS), std::end(EXTENSIONS), extension) != std::end(EXTENSIONS);
}

// The resource log is UTF-16; its names are ASCII, so the high bytes go.
std::string narrowIfUtf16(const std::string& bytes) {
    const bool bom = bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE;
    if (!bom && !(bytes.size() >= 4 && bytes[1] == 0 && bytes[3] == 0))
        return bytes;
    std::string text;
    for (size_t i = bom ? 2 : 0; i + 1 < bytes.size(); i += 2)
        text += bytes[i + 1] == 0 ? bytes[i] : '?';
    return text;
}

std::string withoutXmlComments(std::string text) {
    for (size_t at = text.find("<!--"); at != std::string::npos; at = text.find("<!--", at)) {
        const size_t end = text.find("-->", at);
        text.erase(at, end == std::string::npos ? std::string::npos : end + 3 - at);
    }
    return text;
}

// Every run of path characters that ends in a data file's extension.
std::vector<std::string> pathsIn(const std::string& text) {
    std::vector<std::string> names;
    for (size_t i = 0; i < text.size();) {
        if (!isPathChar(text[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && isPathChar(text[end]))
            ++end;
        std::string run = text.substr(i, end - i);
        std::replace(run.begin(), run.end(), '\\', '/');
        while (!run.empty() && run.back() == '.')
            run.pop_back();
        if (hasDataExtension(run) && run.find('/') != 0)
            names.push_back(run);
        i = end;
    }
    return names;
}

// The string literals of a source file (one line each) that are a data path as a whole: a
// literal that is the tail of a joined name ("/cat.xml") or a path outside the data ("/usr/...")
// starts with "/", and a name inside a message is not a whole literal.
std::vector<std::string> literalPathsIn(const std::string& source) {
    std::vector<std::string> names;
    std::istringstream lines(source);
    for (std::string line; std::getline(lines, line);) {
        for (size_t open = line.find('"'); open != std::string::npos;) {
            const size_t close = line.find('"', open + 1);
            if (close == std::string::npos)
                break;
            const std::string literal = line.substr(open + 1, close - open - 1);
            if (!literal.empty() && literal[0] != '/' && hasDataExtension(literal) &&
                std::all_of(literal.begin(), literal.end(), isPathChar))
                names.push_back(literal);
            open = line.find('"', close + 1);
        }
    }
    return names;
}

std::string normalised(const fs::path& path) {
    return lower(path.lexically_normal().generic_string());
}

class DataFilesTest : public ::testing::Test {
protected:
    struct Scan {
        std::map<std::string, std::string> files;            // lower-case name -> name
        std::set<std::string> atlasPictures;                 // lower-case names in atlas maps
        std::map<std::string, std::set<std::string>> inData; // name -> data files naming it
        std::map<std::string, std::set<std::string>> inCode; // name -> sources naming it
        std::set<std::string> inTests;                       // lower-case names
    };

    static void SetUpTestSuite() {
        scan = new Scan;
        const fs::path data(MEADOW_DATA_DIR);
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            if (!entry.is_regular_file())
                continue;
            const std::string name = fs::relative(entry.path(), data).generic_string();
            scan->files[lower(name)] = name;
            const std::string extension = lower(entry.path().extension().string());
            if (extension != ".xml" && extension != ".fnt" && extension != ".pfx")
                continue;
            std::string text = narrowIfUtf16(readBytes(entry.path()));
            if (extension == ".xml")
                text = withoutXmlComments(text);
            for (const std::string& named : pathsIn(text))
                scan->inData[named].insert(name);
            if (lower(name).rfind("atlases/", 0) == 0)
                for (size_t at = text.find("<Name>"); at != std::string::npos; at = text.find("<Name>", at + 1)) {
                    const size_t end = text.find("</Name>", at);
                    scan->atlasPictures.insert(lower(text.substr(at + 6, end - at - 6)));
                }
        }
        const fs::path source(MEADOW_SOURCE_DIR);
        const fs::path self = fs::path(__FILE__).filename();
        for (const char* folder : {"game", "engine", "app", "tests"})
            for (const auto& entry : fs::recursive_directory_iterator(source / folder)) {
                const std::string extension = entry.path().extension().string();
                if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h") ||
                    entry.path().filename() == self)
                    continue;
                const bool test = std::string(folder) == "tests";
                const std::string where = fs::relative(entry.path(), source).generic_string();
                for (const std::string& named : literalPathsIn(readBytes(entry.path()))) {
                    if (test)
                        scan->inTests.insert(lower(named));
                    else
                        scan->inCode[named].insert(where);
                }
            }
        // Names the code joins from parts: the buildings' layouts by unit id and the cats'.
        for (int32_t id = 0;; ++id) {
            std::string name;
            try {
                name = cUnitView::getXmlFilePath(id);
            } catch (...) {
                break;
            }
            scan->inCode[name].insert("cUnitView::getXmlFilePath");
        }
        for (int32_t variant = 0; variant < 3; ++variant)
            scan->inCode[cCatPersonModel::fileName(variant)].insert("cCatPersonModel::fileName");
    }
    static void TearDownTestSuite() {
        delete scan;
        scan = nullptr;
    }

    // A name as written at the data root, or relative to the data file that names it (a font's
    // page); a file or an atlas picture.
    static bool exists(const std::string& name, const std::string& namedIn = "") {
        std::vector<std::string> candidates{normalised(name)};
        if (!namedIn.empty())
            candidates.push_back(normalised(fs::path(namedIn).parent_path() / name));
        for (const std::string& candidate : candidates)
            if (scan->files.count(candidate) || scan->atlasPictures.count(candidate))
                return true;
        return false;
    }

    static Scan* scan;
};

DataFilesTest::Scan* DataFilesTest::scan = nullptr;

TEST_F(DataFilesTest, EveryFileTheDataNamesExists) {
    // The scan finds the layouts' names at all.
    ASSERT_GT(scan->inData.size(), 300u);
    ASSERT_GT(scan->atlasPictures.size(), 300u);
    std::vector<std::string> missing;
    for (const auto& entry : scan->inData) {
        bool found = false;
        for (const std::string& namedIn : entry.second)
            found = found || exists(entry.first, namedIn);
        if (!found)
            missing.push_back(entry.first + " (in " + *entry.second.begin() + ")");
    }
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

TEST_F(DataFilesTest, EveryFileTheCodeNamesExists) {
    ASSERT_GT(scan->inCode.size(), 50u);
    std::vector<std::string> missing;
    for (const auto& entry : scan->inCode) {
        const std::string name = lower(entry.first);
        if (std::find(std::begin(NOT_SHIPPED), std::end(NOT_SHIPPED), name) != std::end(NOT_SHIPPED))
            continue;
        if (!exists(entry.first))
            missing.push_back(entry.first + " (in " + *entry.second.begin() + ")");
    }
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

// A file is used when a data file other than itself, the code or a test names it, or a test reads
// its folder whole. Besides: the notes beside the fonts (read me, licences).
TEST_F(DataFilesTest, EveryFileUnderDataIsUsed) {
    std::set<std::string> used;
    for (const auto& entry : scan->inData)
        for (const std::string& namedIn : entry.second)
            for (const std::string& candidate :
                 {normalised(entry.first), normalised(fs::path(namedIn).parent_path() / entry.first)})
                if (scan->files.count(candidate) && candidate != lower(namedIn))
                    used.insert(candidate);
    for (const auto& entry : scan->inCode)
        used.insert(normalised(entry.first));
    for (const std::string& name : scan->inTests)
        used.insert(normalised(name));

    std::vector<std::string> unused;
    for (const auto& entry : scan->files) {
        const std::string& name = entry.first;
        const std::string file = fs::path(name).filename().string();
        if (used.count(name) || file == "readme.md" || file.rfind("license", 0) == 0)
            continue;
        if (std::any_of(std::begin(READ_WHOLE_BY_TESTS), std::end(READ_WHOLE_BY_TESTS),
                        [&](const char* folder) { return name.rfind(folder, 0) == 0; }))
            continue;
        unused.push_back(entry.second);
    }
    EXPECT_TRUE(unused.empty()) << ::testing::PrintToString(unused);
}

} // namespace

#include "engine/core/PackStream.h"

#include "engine/core/FatalError.h"
#include "engine/core/PackFinder.h"
#include "engine/core/String.h"
#include "tests/support/PackBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Engine;
using TestSupport::TempFolder;

namespace {

std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

size_t openDescriptors() {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

std::string sample() {
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += static_cast<char>('a' + i % 23);
    return text;
}

// A pack with a deflated and a stored entry, and the position of each.
class PackStreamTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        m_path = m_folder.file("data.pack");
        TestSupport::writePack(m_path, {{"first.txt", "first"}, {"second.txt", sample()}}, GetParam());
        cPackFinder::Handle pack = cPackFinder::openPack(wide(m_path));
        std::string name;
        ASSERT_TRUE(cPackFinder::findFirst(pack, name));
        ASSERT_TRUE(cPackFinder::findNext(pack, name));
        m_second = cPackFinder::getPosition(pack);
        cPackFinder::closePack(pack);
    }
    std::unique_ptr<cPackStream> open() { return std::make_unique<cPackStream>(wide(m_path), "second.txt", m_second); }

    TempFolder m_folder;
    std::string m_path;
    cPackEntryPosition m_second;
};

std::string readSome(IDataStream& stream, int32_t count) {
    std::string bytes(static_cast<size_t>(count), '\0');
    bytes.resize(static_cast<size_t>(stream.read(bytes.data(), count)));
    return bytes;
}

} // namespace

TEST_P(PackStreamTest, ReadsTheEntryAtItsPosition) {
    auto stream = open();
    EXPECT_EQ(stream->getSize(), 5000);
    EXPECT_EQ(readSome(*stream, 6000), sample());
    EXPECT_EQ(stream->read(nullptr, 0), 0);
}

TEST_P(PackStreamTest, SeekCases) {
    auto stream = open();
    const std::string text = sample();
    readSome(*stream, 10);
    EXPECT_EQ(stream->seek(0, 1), 10);
    EXPECT_EQ(stream->seek(3, 7), 10); // an unknown origin moves nothing
    EXPECT_EQ(stream->seek(0, 2), 5000);
    EXPECT_EQ(stream->read(nullptr, 1), 0);
    EXPECT_EQ(stream->seek(-4, 2), 4996);
    EXPECT_EQ(readSome(*stream, 10), text.substr(4996));
    EXPECT_EQ(stream->seek(0, 0), 0);
    EXPECT_EQ(readSome(*stream, 5), text.substr(0, 5));
    EXPECT_EQ(stream->seek(2000, 0), 2000);
    EXPECT_EQ(stream->seek(-1000, 1), 1000);
    EXPECT_EQ(readSome(*stream, 7), text.substr(1000, 7));
    EXPECT_EQ(stream->seek(9000, 0), 5000);
    EXPECT_EQ(stream->seek(-1, 0), 0);
}

TEST_P(PackStreamTest, IsReadOnlyAndClosesForGood) {
    auto stream = open();
    EXPECT_EQ(stream->write("xyz", 3), 0);
    EXPECT_EQ(readSome(*stream, 3), sample().substr(0, 3));
    stream->close();
    char buffer[4];
    EXPECT_EQ(stream->read(buffer, 4), 0);
    EXPECT_EQ(stream->seek(0, 0), 0);
    stream->close();
}

TEST_P(PackStreamTest, SeveralStreamsOfOnePackAreIndependent) {
    auto a = open();
    auto b = open();
    readSome(*a, 100);
    EXPECT_EQ(readSome(*b, 3), sample().substr(0, 3));
    EXPECT_EQ(readSome(*a, 3), sample().substr(100, 3));
}

TEST_P(PackStreamTest, OpenFailuresNameEntryAndPack) {
    auto thrown = [](auto&& action) -> std::string {
        try {
            action();
        } catch (const cStringA& text) {
            return text;
        }
        return "(nothing thrown)";
    };
    size_t descriptors = openDescriptors();
    std::string missing = m_folder.file("missing.pack");
    EXPECT_EQ(thrown([&] { cPackStream(wide(missing), "x.txt", m_second); }),
              "Cant't open pack file '" + missing + "'");
    cPackEntryPosition wrong{m_second.directoryOffset + 1000, 7};
    EXPECT_EQ(thrown([&] { cPackStream(wide(m_path), "x.txt", wrong); }),
              "Cant't find file 'x.txt' in the '" + m_path + "' pack.");
    EXPECT_EQ(errorCallStack(), "Cant't find file 'x.txt' in the '" + m_path + "' pack.");
    EXPECT_EQ(openDescriptors(), descriptors) << "a failed open must close its pack";
}

INSTANTIATE_TEST_SUITE_P(DeflatedAndStored, PackStreamTest, ::testing::Values(false, true));

#include "engine/core/FatalError.h"
#include "engine/core/Log.h"
#include "engine/core/String.h"
#include "engine/platform/headless/HeadlessMessageBox.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Engine;

namespace {

int g_quitRequests = 0;
void countQuit() {
    ++g_quitRequests;
}

class FatalErrorTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The "error" channel opens again in this test's folder state.
        static_cast<cLog*>(getLog())->closeChannels();
        Platform::setMessageBox(&m_box);
        setFatalQuitHandler(countQuit);
        g_quitRequests = 0;
        m_savedError = errorCallStack();
    }
    void TearDown() override {
        Platform::setMessageBox(nullptr);
        setFatalQuitHandler(nullptr);
        static_cast<cLog*>(getLog())->closeChannels();
        errorCallStack() = m_savedError;
        std::filesystem::remove_all("error.log");
    }

    Platform::cHeadlessMessageBox m_box;
    std::string m_savedError;
};

} // namespace

TEST_F(FatalErrorTest, LogsShowsWarningBoxAndRequestsQuit) {
    errorCallStack() = "cFoo::bar(): broken\nRestart the game please.";
    showFatalError(errorCallStack(), "Error call stack:");

    ASSERT_EQ(m_box.getRecords().size(), 1u);
    EXPECT_EQ(m_box.getRecords()[0].text, "cFoo::bar(): broken\nRestart the game please.");
    EXPECT_EQ(m_box.getRecords()[0].caption, "Error");
    EXPECT_EQ(m_box.getRecords()[0].icon, Platform::MessageBoxIcon::WARNING);
    EXPECT_EQ(g_quitRequests, 1);
    std::string log = TestSupport::readFileBytes("error.log");
    EXPECT_NE(log.find("]\tcFoo::bar(): broken\nRestart the game please.\n"), std::string::npos) << log;
}

TEST_F(FatalErrorTest, UnwritableLogStillShowsTheBoxAndQuits) {
    std::filesystem::remove_all("error.log"); // the log of the tests before, closed by SetUp
    std::filesystem::create_directory("error.log");
    errorCallStack() = "disk trouble";
    EXPECT_NO_THROW(showFatalError(errorCallStack()));
    ASSERT_EQ(m_box.getRecords().size(), 1u);
    EXPECT_EQ(m_box.getRecords()[0].text, "disk trouble");
    EXPECT_EQ(g_quitRequests, 1);
}

TEST_F(FatalErrorTest, EntryPointReportsEachExceptionKindWithItsText) {
    struct Case {
        std::exception_ptr error;
        std::string expected;
    } cases[] = {
        {std::make_exception_ptr("Object already exist."), "Object already exist."},
        {std::make_exception_ptr(std::string("narrow text")), "narrow text"},
        {std::make_exception_ptr(cStringA("engine text")), "engine text"},
        {std::make_exception_ptr(cStringW(L"Unable to open [x] log file.\n")), "Unable to open [x] log file.\n"},
        {std::make_exception_ptr(std::runtime_error("standard")), "standard"},
        {std::make_exception_ptr(42), "set before the throw"},
    };
    for (const auto& c : cases) {
        errorCallStack() = "set before the throw";
        m_box.clear();
        reportFatalException(c.error);
        ASSERT_EQ(m_box.getRecords().size(), 1u);
        EXPECT_EQ(m_box.getRecords()[0].text, c.expected + "\nRestart the game please.");
        EXPECT_EQ(errorCallStack(), c.expected + "\nRestart the game please.");
    }
}

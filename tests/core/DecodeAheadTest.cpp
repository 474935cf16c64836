#include "engine/core/DecodeAhead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using Engine::cDecodeAhead;

namespace {

std::vector<uint8_t> bytes(size_t count, uint8_t value) {
    return std::vector<uint8_t>(count, value);
}

TEST(DecodeAhead, ResultsComeByKeyAndFailuresReachTheTaker) {
    cDecodeAhead<int> ahead(
        [](const std::vector<uint8_t>& in) {
            if (in.empty())
                throw std::runtime_error("empty");
            return int(in.size()) * 10 + in[0];
        },
        nullptr, 0, 3);
    ahead.add("a", bytes(1, 1));
    ahead.add("b", bytes(2, 2));
    ahead.add("broken", {});
    ahead.add("a", bytes(5, 5)); // already queued: left as it was
    int value = 0;
    EXPECT_TRUE(ahead.take("b", value));
    EXPECT_EQ(value, 22);
    EXPECT_TRUE(ahead.take("a", value));
    EXPECT_EQ(value, 11);
    EXPECT_THROW(ahead.take("broken", value), std::runtime_error);
    EXPECT_FALSE(ahead.take("a", value)) << "taken once";
    EXPECT_FALSE(ahead.take("never", value));
}

TEST(DecodeAhead, WaitingResultsStayWithinTheBudget) {
    std::atomic<int> started{0};
    cDecodeAhead<size_t> ahead(
        [&](const std::vector<uint8_t>& in) {
            ++started;
            return in.size();
        },
        [](const std::vector<uint8_t>& in) { return in.size(); }, 10, 4);
    for (int i = 0; i < 12; ++i)
        ahead.add(std::to_string(i), bytes(4, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // Two results of four bytes fit in ten, a third does not until one is taken.
    EXPECT_EQ(started.load(), 2);
    for (int i = 0; i < 12; ++i) {
        size_t size = 0;
        ASSERT_TRUE(ahead.take(std::to_string(i), size));
        EXPECT_EQ(size, 4u);
    }
    EXPECT_EQ(started.load(), 12);
}

// Waits a moment for the workers, then the count of items they started.
int startedAfterAWhile(const std::atomic<int>& started) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return started.load();
}

TEST(DecodeAhead, ATakenResultHeldCountsUntilReleasedAndSmallOnesWaitForTheBigOnes) {
    std::atomic<int> started{0};
    cDecodeAhead<size_t> ahead(
        [&](const std::vector<uint8_t>& in) {
            ++started;
            return in.size();
        },
        [](const std::vector<uint8_t>& in) { return in.size(); }, 20, 4);
    ahead.add("big", bytes(8, 0));
    ahead.add("second", bytes(8, 0));
    ahead.add("small", bytes(3, 0));
    ahead.add("smaller", bytes(2, 0));
    // Both big ones fit in twenty; the small ones would too, but not while an item of more than
    // twice their size is held.
    EXPECT_EQ(startedAfterAWhile(started), 2);
    size_t size = 0;
    ASSERT_TRUE(ahead.take("big", size, true));
    EXPECT_EQ(startedAfterAWhile(started), 2) << "held while it uploads";
    ahead.release("big");
    EXPECT_EQ(startedAfterAWhile(started), 2) << "the second big one is still held";
    ASSERT_TRUE(ahead.take("second", size));
    EXPECT_EQ(startedAfterAWhile(started), 4);
    ASSERT_TRUE(ahead.take("small", size, true));
    ASSERT_TRUE(ahead.take("smaller", size, true));
    ahead.release("small");
    ahead.release("smaller");
    ahead.release("never taken");
}

TEST(DecodeAhead, AnItemLargerThanTheBudgetStillDecodesAndUntakenOnesAreDropped) {
    auto ahead = std::make_unique<cDecodeAhead<size_t>>([](const std::vector<uint8_t>& in) { return in.size(); },
                                                        [](const std::vector<uint8_t>& in) { return in.size(); }, 1, 2);
    ahead->add("big", bytes(100, 0));
    ahead->add("left", bytes(3, 0));
    size_t size = 0;
    EXPECT_TRUE(ahead->take("big", size));
    EXPECT_EQ(size, 100u);
    ahead.reset(); // "left" is never taken
}

} // namespace

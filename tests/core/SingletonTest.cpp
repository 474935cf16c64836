#include "engine/core/Singleton.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace Engine;

namespace {
class cService : public cSingleton<cService> {};
} // namespace

TEST(SingletonTest, SecondInstanceThrowsAndDestructionFreesTheSlot) {
    {
        cService first;
        EXPECT_EQ(cService::getInstance(), &first);
        try {
            cService second;
            FAIL() << "second instance constructed";
        } catch (const char* text) {
            EXPECT_STREQ(text, "Object already exist.");
        }
        EXPECT_EQ(cService::getInstance(), &first);
    }
    EXPECT_EQ(cService::getInstance(), nullptr);
    cService again;
    EXPECT_EQ(cService::getInstance(), &again);
}

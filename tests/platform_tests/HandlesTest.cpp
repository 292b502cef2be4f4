#include <gtest/gtest.h>

#include "platform/Handles.h"

using namespace orvelin;

namespace {

// An owner closed on the way out of a failed call must not hide the call's error.
TEST(UniqueResourceTest, ClosingKeepsTheThreadsLastError) {
    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    SetLastError(ERROR_SHARING_VIOLATION);
    event.Reset();
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(event);
}

TEST(UniqueResourceTest, MovedOwnershipClosesOnceAndInvalidValuesAreNoHandle) {
    UniqueHandle first(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE raw = first.Get();
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), raw);
    second.Reset();
    EXPECT_EQ(WaitForSingleObject(raw, 0), WAIT_FAILED) << "the handle was closed";

    EXPECT_FALSE(UniqueFile(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(UniqueFind(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(UniqueRegKey(nullptr));
}

}  // namespace

#include "framework/ScopedHandles.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}
}  // namespace

TEST(ScopedHandle, ClosesOnDestruction) {
    HANDLE raw;
    {
        fw::ScopedHandle event(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        raw = event.get();
        ASSERT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));
}

TEST(ScopedHandle, MoveHandsOverOwnershipOnce) {
    fw::ScopedHandle first(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    HANDLE raw = first.get();
    fw::ScopedHandle second(std::move(first));
    EXPECT_FALSE(first.valid());
    EXPECT_EQ(raw, second.get());
    fw::ScopedHandle third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(raw));
    third.reset();
    EXPECT_FALSE(IsOpen(raw));
}

TEST(ScopedHandle, ReleaseGivesUpOwnership) {
    HANDLE raw;
    {
        fw::ScopedHandle event(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        raw = event.release();
    }
    EXPECT_TRUE(IsOpen(raw));
    ::CloseHandle(raw);
}

TEST(ScopedFile, TreatsInvalidHandleValueAsEmpty) {
    fw::ScopedFile missing(::CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing.valid());
}

TEST(ScopedGdiObject, DeletesTheObject) {
    HBRUSH raw;
    {
        fw::ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(RGB(1, 2, 3)));
        raw = brush.get();
        LOGBRUSH info{};
        ASSERT_NE(0, ::GetObjectA(raw, sizeof(info), &info));
    }
    LOGBRUSH info{};
    EXPECT_EQ(0, ::GetObjectA(raw, sizeof(info), &info));
}

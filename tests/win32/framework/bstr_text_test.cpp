#include "framework/BstrText.h"
#include "framework/ScopedHandles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(BstrText, AsciiGoesThereAndBack) {
    fw::ScopedBstr text(fw::AnsiToBstr("PMT-6E68,x"));
    ASSERT_NE(nullptr, text.get());
    EXPECT_EQ(10u, ::SysStringLen(text.get()));
    EXPECT_EQ(std::wstring(L"PMT-6E68,x"), std::wstring(text.get(), ::SysStringLen(text.get())));
    EXPECT_EQ("PMT-6E68,x", fw::BstrToAnsi(text.get()));
}

TEST(BstrText, EmptyTextIsAnEmptyBstrAndNullReadsEmpty) {
    fw::ScopedBstr empty(fw::AnsiToBstr(""));
    ASSERT_NE(nullptr, empty.get()) << "an empty BSTR, not a null one";
    EXPECT_EQ(0u, ::SysStringLen(empty.get()));
    EXPECT_EQ("", fw::BstrToAnsi(empty.get()));
    EXPECT_EQ("", fw::BstrToAnsi(nullptr));
}

TEST(BstrText, EmbeddedNulAndGbkTextSurvive) {
    const std::string withNul("a\0b", 3);
    fw::ScopedBstr nul(fw::AnsiToBstr(withNul));
    EXPECT_EQ(withNul, fw::BstrToAnsi(nul.get()));
    if (::GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8)";
    const std::string chinese = "\xd6\xd0\xce\xc4";  // 中文
    fw::ScopedBstr wide(fw::AnsiToBstr(chinese));
    EXPECT_EQ(2u, ::SysStringLen(wide.get()));
    EXPECT_EQ(chinese, fw::BstrToAnsi(wide.get()));
}

TEST(ScopedBstr, PutFreesTheOldTextAndMoveHandsItOver) {
    fw::ScopedBstr first(::SysAllocString(L"old"));
    BSTR* out = first.put();
    EXPECT_EQ(nullptr, *out);
    *out = ::SysAllocString(L"new");
    fw::ScopedBstr second(std::move(first));
    EXPECT_EQ(nullptr, first.get());
    EXPECT_EQ("new", fw::BstrToAnsi(second.get()));
    BSTR raw = second.release();
    EXPECT_EQ(nullptr, second.get());
    ::SysFreeString(raw);
}

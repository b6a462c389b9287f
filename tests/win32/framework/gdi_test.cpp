#include "framework/Gdi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 3 x 2 DIB section filled with one colour.
HBITMAP MakeBitmap(COLORREF colour) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 6; ++i) pixels[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    return bitmap;
}

}  // namespace

TEST(CBitmap, MissingResourceLeavesItEmpty) {
    fw::CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(::GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"));
    EXPECT_FALSE(bitmap);
    EXPECT_EQ(0, bitmap.GetSize().cx);
}

TEST(DrawBitmap, CopiesUnscaledAtThePosition) {
    fw::ScopedGdiObject<HBITMAP> source(MakeBitmap(RGB(200, 10, 30)));
    fw::ScopedWindowDC screen(nullptr);
    fw::ScopedMemoryDC target(::CreateCompatibleDC(screen.get()));
    fw::ScopedGdiObject<HBITMAP> canvas(::CreateCompatibleBitmap(screen.get(), 10, 10));
    fw::ScopedSelectObject selection(target.get(), canvas.get());
    ::PatBlt(target.get(), 0, 0, 10, 10, BLACKNESS);

    ASSERT_TRUE(fw::DrawBitmap(target.get(), source.get(), 4, 5));
    EXPECT_EQ(RGB(200, 10, 30), ::GetPixel(target.get(), 4, 5));
    EXPECT_EQ(RGB(200, 10, 30), ::GetPixel(target.get(), 6, 6));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(target.get(), 7, 5)) << "no scaling beyond the bitmap's width";
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(target.get(), 4, 7));
}

TEST(DrawBitmap, RefusesNoBitmap) {
    fw::ScopedWindowDC screen(nullptr);
    EXPECT_FALSE(fw::DrawBitmap(screen.get(), nullptr, 0, 0));
}

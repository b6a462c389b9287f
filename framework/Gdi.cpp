#include "Gdi.h"

namespace fw {

bool CBitmap::LoadBitmap(HINSTANCE module, const char* resourceName) {
    m_bitmap.reset(::LoadBitmapA(module, resourceName));
    return m_bitmap.valid();
}

SIZE CBitmap::GetSize() const {
    BITMAP info{};
    if (!m_bitmap.valid() || ::GetObjectA(m_bitmap.get(), sizeof(info), &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

bool DrawBitmap(HDC target, HBITMAP bitmap, int x, int y) {
    BITMAP info{};
    if (!bitmap || ::GetObjectA(bitmap, sizeof(info), &info) == 0) return false;
    ScopedMemoryDC memory(::CreateCompatibleDC(target));
    if (!memory) return false;
    ScopedSelectObject selection(memory.get(), bitmap);
    return ::BitBlt(target, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY) != FALSE;
}

}  // namespace fw

#include "ImageList.h"

namespace fw {

bool CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
    m_list.reset(::ImageList_Create(width, height, flags, initial, grow));
    return m_list.valid();
}

int CImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
    if (!m_list || !bitmap) return -1;
    return ::ImageList_AddMasked(m_list.get(), bitmap, transparent);
}

bool CImageList::Draw(int image, HDC target, int x, int y, UINT style) const {
    return m_list && ::ImageList_Draw(m_list.get(), image, target, x, y, style) != FALSE;
}

int CImageList::GetImageCount() const { return m_list ? ::ImageList_GetImageCount(m_list.get()) : 0; }

}  // namespace fw

// An image list of the common controls that the object owns and destroys.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ScopedHandles.h"

namespace fw {

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::ImageList_Destroy(h); }
};

class CImageList {
public:
    // flags: ILC_COLOR24 | ILC_MASK and the like; replaces any list held.
    bool Create(int width, int height, UINT flags, int initial, int grow);
    // Adds the images of a bitmap, with colour as the transparent one; the
    // bitmap stays the caller's. Returns the first new image's index, or -1.
    int AddMasked(HBITMAP bitmap, COLORREF transparent);
    bool Draw(int image, HDC target, int x, int y, UINT style = ILD_NORMAL) const;
    int GetImageCount() const;
    HIMAGELIST get() const { return m_list.get(); }
    explicit operator bool() const { return m_list.valid(); }

private:
    UniqueResource<ImageListTraits> m_list;
};

}  // namespace fw

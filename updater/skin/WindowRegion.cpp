#include "skin/WindowRegion.h"

#include <vector>

#include "framework/ScopedHandles.h"
#include "skin/SkinFrame.h"
#include "skin/logic/CornerTrace.h"
#include "skin/logic/WindowShape.h"

namespace sk = vantor::skin;

HRGN CreateCornerRegion(int x0, int y0, int lastColumn, int lastRow, COLORREF key, HDC dc) {
    BITMAP info{};
    HGDIOBJ selected = ::GetCurrentObject(dc, OBJ_BITMAP);
    if (!selected || ::GetObjectA(selected, sizeof(info), &info) == 0) return nullptr;
    sk::PixelGrid grid;
    grid.width = info.bmWidth;
    grid.height = info.bmHeight;
    grid.pixel = [dc](int x, int y) { return static_cast<uint32_t>(::GetPixel(dc, x, y)); };
    const std::vector<sk::Point> outline = sk::TraceCornerOutline(grid, x0, y0, lastColumn, lastRow, key);
    if (outline.empty()) return nullptr;

    std::vector<POINT> points;
    points.reserve(outline.size());
    for (const sk::Point& p : outline) points.push_back(POINT{p.x, p.y});
    ::BeginPath(dc);
    ::Polygon(dc, points.data(), static_cast<int>(points.size()));
    ::EndPath(dc);
    return ::PathToRegion(dc);
}

void CSkinFrame::BuildWindowRegion() {
    HWND hwnd = GetHookedWindow();
    if (!hwnd) return;
    const bool resizable = IsResizable();
    const SIZE frame = SkinSizingFrame();
    const sk::WindowShapePlan plan =
        sk::PlanWindowShape(m_metrics, sk::Size{m_nWindowWidth, m_nWindowHeight},
                            sk::Size{m_nClientWidth, m_nClientHeight}, resizable, sk::Size{frame.cx, frame.cy});

    fw::ScopedGdiObject<HRGN> acc(::CreateRectRgn(plan.start.left, plan.start.top, plan.start.right, plan.start.bottom));
    fw::ScopedGdiObject<HRGN> part(::CreateRectRgn(0, 0, 0, 0));
    if (!acc || !part) return;
    for (int i = 0; i < 4; ++i) {
        HRGN corner = m_cornerRegions[i].get();
        if (!corner) continue;
        const sk::Point& at = plan.cornerOffset[i];
        if (i == 0) {  // the top-left corner replaces the start
            ::CombineRgn(acc.get(), corner, nullptr, RGN_COPY);
            ::OffsetRgn(acc.get(), at.x, at.y);
        } else {
            ::CombineRgn(part.get(), corner, nullptr, RGN_COPY);
            ::OffsetRgn(part.get(), at.x, at.y);
            ::CombineRgn(acc.get(), acc.get(), part.get(), RGN_OR);
        }
    }
    for (const auto& cover : {plan.body, plan.topBand, plan.bottomBand}) {
        if (!cover) continue;
        ::SetRectRgn(part.get(), cover->left, cover->top, cover->right, cover->bottom);
        ::CombineRgn(acc.get(), acc.get(), part.get(), RGN_OR);
    }

    HRGN use = acc.get();
    int keep = 0;
    m_pListener->OnRegionBuilt(resizable ? 1 : 0, acc.get(), &use, &keep);
    // What the window gets is the window's; the frame keeps no handle to it.
    fw::ScopedGdiObject<HRGN> given;
    if (use == acc.get()) {
        given.reset(acc.release());
    } else if (keep != 0) {
        given.reset(use);
    } else {
        given.reset(::CreateRectRgn(0, 0, 0, 0));
        if (given) ::CombineRgn(given.get(), use, nullptr, RGN_COPY);
    }
    if (given && ::SetWindowRgn(hwnd, given.get(), TRUE)) given.release();
}

#include "skin/logic/NinePart.h"

namespace vantor {
namespace skin {

namespace {

SkinPiece Corner(SkinPart part, bool drawn, Rect dest, Point sourceOrigin) {
    SkinPiece p;
    p.part = part;
    p.drawn = drawn;
    p.stretched = false;
    p.destination = dest;
    p.source = {sourceOrigin.x, sourceOrigin.y, sourceOrigin.x + dest.Width(), sourceOrigin.y + dest.Height()};
    return p;
}

SkinPiece Stretched(SkinPart part, bool drawn, Rect dest, Point sourceOrigin, Size sourceSize) {
    SkinPiece p;
    p.part = part;
    p.drawn = drawn;
    p.stretched = true;
    p.destination = dest;
    p.source = {sourceOrigin.x, sourceOrigin.y, sourceOrigin.x + sourceSize.cx, sourceOrigin.y + sourceSize.cy};
    return p;
}

}  // namespace

std::array<SkinPiece, 9> PlanSkinPieces(const FrameMetrics& m, Size skin, Size client) {
    const int W = client.cx, H = client.cy, SW = skin.cx, SH = skin.cy;
    const int TLw = m.topLeftWidth, TRw = m.topRightWidth, Th = m.topHeight;
    const int BLw = m.bottomLeftWidth, BRw = m.bottomRightWidth, Bh = m.bottomHeight;
    const int Lw = m.leftWidth, Rw = m.rightWidth;
    // Height of the skin's middle rows, shared by both edges and the body.
    const int middleRows = SH - Bh - Th;

    return {{
        Corner(SkinPart::kTopLeft, Th > 0 && TLw > 0, {0, 0, TLw, Th}, {0, 0}),
        Corner(SkinPart::kTopRight, Th > 0 && TRw > 0, {W - TRw, 0, W, Th}, {SW - TRw, 0}),
        Corner(SkinPart::kBottomLeft, Bh > 0 && BLw > 0, {0, H - Bh, BLw, H}, {0, SH - Bh}),
        Corner(SkinPart::kBottomRight, Bh > 0 && BRw > 0, {W - BRw, H - Bh, W, H}, {SW - BRw, SH - Bh}),
        Stretched(SkinPart::kTopBand, TLw < W - TRw && Th > 0, {TLw, 0, W - TRw, Th}, {TLw, 0},
                  {SW - TRw - TLw, Th}),
        Stretched(SkinPart::kBottomBand, Bh > 0 && BLw < W - BRw, {BLw, H - Bh, W - BRw, H}, {BLw, SH - Bh},
                  {SW - BRw - BLw, Bh}),
        Stretched(SkinPart::kLeftEdge, Th < H - Bh && Lw > 0, {0, Th, Lw, H - Bh}, {0, Th}, {Lw, middleRows}),
        Stretched(SkinPart::kRightEdge, Th < H - Bh && Rw > 0, {W - Rw, Th, W, H - Bh}, {SW - Rw, Th},
                  {Rw, middleRows}),
        Stretched(SkinPart::kBody, Lw < W - Rw && Th < H - Bh, {Lw, Th, W - Rw, H - Bh}, {Lw, Th},
                  {SW - Rw - Lw, middleRows}),
    }};
}

}  // namespace skin
}  // namespace vantor

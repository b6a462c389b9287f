// Where the skinned paint puts each of the nine pieces of the skin bitmap.
// The frame's paint asks for the plan once per WM_PAINT and blits the pieces
// in plan order (later pieces overdraw earlier ones where they meet).
#pragma once

#include <array>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// Plan order; each maps to one virtual draw operation of the frame
// (DrawTopLeft … DrawBody), so a derived frame can replace a single piece.
enum class SkinPart {
    kTopLeft,
    kTopRight,
    kBottomLeft,
    kBottomRight,
    kTopBand,
    kBottomBand,
    kLeftEdge,
    kRightEdge,
    kBody,
};

struct SkinPiece {
    SkinPart part = SkinPart::kTopLeft;
    // False when the piece is skipped: a corner of zero width or height, or a
    // band, edge or body whose destination would be empty or inverted (a
    // window narrower than its two top corners has no top band, but its
    // corners are still drawn and may overlap).
    bool drawn = false;
    // Corners are copied 1:1 (BitBlt) and their source has the destination's
    // size; bands, edges and the body are stretched (StretchBlt) from the
    // skin's middle sections.
    bool stretched = false;
    Rect destination;  // in the back buffer, client coordinates
    // In the skin bitmap. With a skin smaller than the metrics the source of a
    // stretched piece can be empty or inverted; it is handed on as computed.
    Rect source;
};

// metrics: the frame's cut; skin: skin bitmap size (0 × 0 before one is set);
// client: client size. Pieces are listed in paint order whether drawn or not.
std::array<SkinPiece, 9> PlanSkinPieces(const FrameMetrics& metrics, Size skin, Size client);

}  // namespace skin
}  // namespace vantor

#include "skin/logic/NinePart.h"

#include <gtest/gtest.h>

#include <string>

#include "skin_printers.h"

namespace vantor {
namespace skin {
namespace {

// The updater's cut of its 126 x 106 skin over a 414 x 124 client, in paint
// order; corners copied, the rest stretched.
TEST(SkinPieces, UpdaterSkinOverItsWindow) {
    const auto pieces = PlanSkinPieces(MakeFrameMetrics(10, 29, 2, 2, 2, 2), {126, 106}, {414, 124});
    const Rect dest[9] = {{0, 0, 10, 29},   {404, 0, 414, 29},  {0, 122, 2, 124},  {412, 122, 414, 124},
                          {10, 0, 404, 29}, {2, 122, 412, 124}, {0, 29, 2, 122},   {412, 29, 414, 122},
                          {2, 29, 412, 122}};
    const Rect src[9] = {{0, 0, 10, 29},   {116, 0, 126, 29},  {0, 104, 2, 106}, {124, 104, 126, 106},
                         {10, 0, 116, 29}, {2, 104, 124, 106}, {0, 29, 2, 104},  {124, 29, 126, 104},
                         {2, 29, 124, 104}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(static_cast<SkinPart>(i), pieces[i].part);
        EXPECT_TRUE(pieces[i].drawn) << i;
        EXPECT_EQ(i >= 4, pieces[i].stretched) << i;
        EXPECT_EQ(dest[i], pieces[i].destination) << i;
        EXPECT_EQ(src[i], pieces[i].source) << i;
    }
}

// Which pieces are drawn, as 9 flags in paint order
// (TL TR BL BR top-band bottom-band left right body).
std::string Drawn(const FrameMetrics& m, Size client) {
    std::string flags;
    for (const SkinPiece& p : PlanSkinPieces(m, {126, 106}, client)) flags += p.drawn ? '1' : '0';
    return flags;
}

TEST(SkinPieces, EmptyAndInvertedPiecesAreSkippedCornersNever) {
    const FrameMetrics updater = MakeFrameMetrics(10, 29, 2, 2, 2, 2);
    EXPECT_EQ("111101111", Drawn(updater, {20, 124})) << "narrower than both top corners";
    EXPECT_EQ("111111111", Drawn(updater, {21, 124}));
    EXPECT_EQ("111111000", Drawn(updater, {414, 31})) << "exactly as high as both bands";
    EXPECT_EQ("111100110", Drawn(updater, {4, 124})) << "as wide as the edges and the bottom corners";
    EXPECT_EQ("111100000", Drawn(updater, {0, 0}));
    EXPECT_EQ("000011111", Drawn(MakeFrameMetrics(0, 29, 0, 2, 2, 2), {414, 124})) << "zero-width corners";
    EXPECT_EQ("000000111", Drawn(MakeFrameMetrics(10, 0, 2, 0, 2, 2), {414, 124})) << "zero-height bands";
    EXPECT_EQ("000000001", Drawn(FrameMetrics{}, {414, 124})) << "no cut: the body only";
    const SkinPiece whole = PlanSkinPieces(FrameMetrics{}, {126, 106}, {414, 124})[8];
    EXPECT_EQ((Rect{0, 0, 414, 124}), whole.destination);
    EXPECT_EQ((Rect{0, 0, 126, 106}), whole.source);
    // A corner wider than the window is placed as computed (left of 0).
    EXPECT_EQ((Rect{-4, 0, 6, 29}), PlanSkinPieces(updater, {126, 106}, {6, 20})[1].destination);
}

}  // namespace
}  // namespace skin
}  // namespace vantor

#include "skin/logic/HitZones.h"

namespace vantor {
namespace skin {

namespace {

// The frame's fixed zone table. Each bound is an offset from the near side (0)
// or, marked far, from the far side (W or H), so the table itself never
// changes with the window size.
struct Bound {
    bool far;
    int offset;
};
struct ZoneRow {
    HitCode code;
    Bound xFrom, xTo, yFrom, yTo;
};

constexpr int B = kSizingBorder;
constexpr ZoneRow kZones[8] = {
    {kHitTopLeft, {false, 0}, {false, B}, {false, 0}, {false, B}},
    {kHitTopRight, {true, -B}, {true, 0}, {false, 0}, {false, B}},
    {kHitBottomLeft, {false, 0}, {false, B}, {true, -B}, {true, 0}},
    {kHitBottomRight, {true, -B}, {true, 0}, {true, -B}, {true, 0}},
    {kHitTop, {false, 0}, {true, 0}, {false, 0}, {false, B}},
    {kHitBottom, {false, 0}, {true, 0}, {true, -B}, {true, 0}},
    {kHitLeft, {false, 0}, {false, B}, {false, 0}, {true, 0}},
    {kHitRight, {true, -B}, {true, 0}, {false, 0}, {true, 0}},
};

int Resolve(Bound b, int extent) { return (b.far ? extent : 0) + b.offset; }

bool Contains(const Rect& inclusive, Point p) {
    return p.x >= inclusive.left && p.x <= inclusive.right && p.y >= inclusive.top && p.y <= inclusive.bottom;
}

}  // namespace

std::array<SizingZone, 8> SizingZonesFor(Size client) {
    std::array<SizingZone, 8> zones;
    for (int i = 0; i < 8; ++i) {
        const ZoneRow& row = kZones[i];
        zones[i].code = row.code;
        zones[i].bounds = {Resolve(row.xFrom, client.cx), Resolve(row.yFrom, client.cy), Resolve(row.xTo, client.cx),
                           Resolve(row.yTo, client.cy)};
    }
    return zones;
}

HitCode HitTestFrame(Point point, Size client, int captionHeight, bool resizable) {
    if (resizable) {
        for (const SizingZone& zone : SizingZonesFor(client)) {
            if (Contains(zone.bounds, point)) return zone.code;
        }
    }
    const Rect caption{kSizingBorder, kSizingBorder, client.cx - kSizingBorder, captionHeight};
    if (Contains(caption, point)) return kHitCaption;
    return kHitPassOn;
}

}  // namespace skin
}  // namespace vantor

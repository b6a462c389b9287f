// Readable failure messages for the skin geometry (found by GoogleTest through
// argument-dependent lookup, so they live in the types' namespace).
#pragma once

#include <ostream>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << '(' << p.x << ", " << p.y << ')'; }
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.cx << " x " << s.cy; }

}  // namespace skin
}  // namespace vantor

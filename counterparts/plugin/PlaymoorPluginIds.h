// The class that PlaymoorPlugin.dll registers. Nothing creates it: the
// launcher only has the DLL registered.
#pragma once

#include <guiddef.h>

namespace playmoor {

// {8B3E52A1-6C0D-4F27-9D15-3A7E4C9B6F02}
const CLSID kClsidPlaymoorPlugin = {0x8B3E52A1, 0x6C0D, 0x4F27, {0x9D, 0x15, 0x3A, 0x7E, 0x4C, 0x9B, 0x6F, 0x02}};

}  // namespace playmoor

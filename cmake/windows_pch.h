// The headers that almost every Windows translation unit parses (the SDK, GDI+ and the standard
// containers), precompiled once per library so that each file only compiles its own code.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

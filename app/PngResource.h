// Turns a "PNG" resource of the executable into a GDI+ image.
#pragma once

#include <windows.h>
// gdiplus.h needs the COM and min/max declarations in front of it.
#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

// On TRUE, `image` receives a new image the caller owns (delete it). On FALSE, `image` is untouched
// and nothing was allocated. Data GDI+ cannot decode still gives TRUE and an image that draws nothing.
BOOL LoadPngResource(UINT resourceId, Gdiplus::Image*& image);

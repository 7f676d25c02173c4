#include "Placement.h"

#include <algorithm>

namespace {

int fitAlong(int start, int length, int areaStart, int areaLength)
{
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

PixelRect placeInWorkArea(const PixelRect &window, const PixelRect &workArea)
{
    return {fitAlong(window.left, window.width, workArea.left, workArea.width),
            fitAlong(window.top, window.height, workArea.top, workArea.height), window.width, window.height};
}

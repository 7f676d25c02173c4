#include "ClockFace.h"

#include <algorithm>

int clockPointsToFit(int designPoints, int widerLine, int room)
{
    if (widerLine <= room || widerLine <= 0)
        return designPoints;
    return std::max(designPoints / 2, designPoints * room / widerLine);
}

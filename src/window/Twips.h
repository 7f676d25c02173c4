#pragma once

#include <cmath>

// Positions and sizes of the window are designed in twips: 1440 to an inch, so 15 to a
// pixel at 96 dots per inch.
inline int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

inline float pixelsToTwips(double pixels, double dotsPerInch)
{
    return static_cast<float>(pixels * 1440.0 / dotsPerInch);
}

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    PixelRect toPixels(double dotsPerInch) const
    {
        return {twipsToPixels(left, dotsPerInch), twipsToPixels(top, dotsPerInch), twipsToPixels(width, dotsPerInch),
                twipsToPixels(height, dotsPerInch)};
    }
};

#pragma once

#include "Twips.h"

// Where the window opens, given its outer rectangle at the designed place (scaled to the
// screen's DPI) and the work area of the monitor it opens on, both in pixels:
//
//   the window lies wholly inside the work area   -> its designed place
//   it reaches past an edge                        -> moved back inside, just enough
//   it is wider or taller than the work area       -> that side starts at the work area's edge
//
// Never centred: the window opens where the user knows to find it whenever it fits.
PixelRect placeInWorkArea(const PixelRect &window, const PixelRect &workArea);

#pragma once

// The clock's face size, in points: its design size while the wider of its two lines fits
// the room it has, else smaller in proportion (separators with blanks, a wider substitute
// face), but never below half of it.
int clockPointsToFit(int designPoints, int widerLine, int room);

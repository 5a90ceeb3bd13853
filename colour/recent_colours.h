// The colours the user has taken, newest first: those a pick of a colour
// ended on and those Copy put on the clipboard. Apart from the palette, which
// is the user's own choice. Pure.
#pragma once
#include "colour/colour_math.h"
#include <cstdint>

constexpr int kRecentColorCount = 16;

struct RecentColors {
    ColorRef colors[kRecentColorCount] = {};
    int count = 0;
};

// Puts `color` (its low 24 bits) in front; one already there moves to the
// front, and a seventeenth drops the oldest.
void RememberColor(RecentColors& recent, ColorRef color);

// Adds `color` behind the others, as the settings file lists them, unless it
// is there already or the list is full; false when it was not added.
bool AppendColor(RecentColors& recent, ColorRef color);

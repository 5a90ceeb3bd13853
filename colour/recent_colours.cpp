#include "colour/recent_colours.h"

namespace {
int IndexOf(const RecentColors& recent, ColorRef color) {
    for (int i = 0; i < recent.count; ++i)
        if (recent.colors[i] == color) return i;
    return -1;
}
} // namespace

void RememberColor(RecentColors& recent, ColorRef color) {
    color &= 0xFFFFFFu;
    int at = IndexOf(recent, color);
    if (at < 0) at = recent.count < kRecentColorCount ? recent.count++ : kRecentColorCount - 1;
    for (int i = at; i > 0; --i)
        recent.colors[i] = recent.colors[i - 1];
    recent.colors[0] = color;
}

bool AppendColor(RecentColors& recent, ColorRef color) {
    color &= 0xFFFFFFu;
    if (recent.count == kRecentColorCount || IndexOf(recent, color) >= 0) return false;
    recent.colors[recent.count++] = color;
    return true;
}

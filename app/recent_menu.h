// The recent colours: what the user took, kept in the settings file, and the
// menu that offers them, opened by a right click on the swatch, or Alt+Down
// or F4 in the edit box, as a combo box opens its list.
#pragma once
#include <windows.h>
#include "colour/recent_colours.h"

#include <vector>

extern RecentColors recentColors;

// A colour the user took: the end of a pick of a colour, or what Copy put on
// the clipboard. To the front of the recent colours.
void TakeColor(COLORREF color);

// The menu of a list: each colour's six hex digits, as the edit box shows
// them, beside a square of it, the newest on top, command ids from 1; for an
// empty list one greyed entry, "No recent colors". The squares go into
// `squares`, for the caller to delete with the menu.
HMENU MakeRecentMenu(const RecentColors& shown, std::vector<HBITMAP>* squares);

// The menu at a screen point, its top left there. Choosing an entry makes
// its colour the current colour, as typing its six digits would, and takes
// it to the front; Esc or a click elsewhere changes nothing.
void ShowRecentMenu(POINT at);

// The main window's WM_CONTEXTMENU: a right click on the swatch opens the
// menu there; true when it was on the swatch.
bool OnSwatchContextMenu(LPARAM lParam);

// Alt+Down and F4 in the edit box: the menu below the edit box; true when
// the key was one of them.
bool OnEditBoxMenuKey(HWND editBox, UINT message, WPARAM key);

// The main window moved to a monitor of another scale and back, in this
// process: Wine has one scale for every monitor, so the messages are sent here.
#include "main_window_fixture.h"
#include "platform/fonts.h"

#include <string>

namespace {

RECT ToRect(const Rect32& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

// Every child against the layout at `dpi`, whose numbers layout_test pins.
void ExpectChildrenLaidOutFor(std::uint32_t dpi) {
    const MainLayout l = LayoutForDpi(dpi);
    const struct {
        HWND window;
        Rect32 rect;
    } children[] = {
        {closeButton, l.closeButton},
        {copyButton, l.copyButton},
        {autoApplyBox, l.autoApplyBox},
        {editBox, l.editBox},
        {redBar.window, l.redBar},
        {greenBar.window, l.greenBar},
        {blueBar.window, l.blueBar},
        {brightnessBar.window, l.brightnessBar},
        {pickColorControl.window, l.pickColor},
        {pickWindowControl.window, l.pickWindow},
    };
    for (const auto& c : children) {
        RECT r{};
        GetWindowRect(c.window, &r);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&r), 2);
        const RECT want = ToRect(c.rect);
        EXPECT_TRUE(EqualRect(&r, &want)) << dpi << ": a child at " << r.left << "," << r.top;
    }
}

LONG FontHeight(HFONT font) {
    LOGFONTA lf{};
    return GetObjectA(font, sizeof lf, &lf) ? lf.lfHeight : 0;
}

bool Alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

// The edit box's font changes, each noted with whether the font it had until
// then was still there when the new one came.
WNDPROC editProc;
std::string fontChanges;
LRESULT CALLBACK WatchFontChanges(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFONT) {
        const auto had = reinterpret_cast<HGDIOBJ>(CallWindowProcA(editProc, w, WM_GETFONT, 0, 0));
        fontChanges += !had || Alive(had) ? "+" : "-";
    }
    return CallWindowProcA(editProc, w, msg, wp, lp);
}

void SendDpiChange(UINT dpi, RECT suggested) {
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

SIZE AskedSize(UINT dpi) {
    SIZE size{0, 0};
    EXPECT_TRUE(
        SendMessageA(mainWindow, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
    return size;
}

} // namespace

using DpiChange = MainWindowTest;

TEST_F(DpiChange, TheClientAreaChildrenAndFontsFollowTheScaleAndComeBack) {
    ASSERT_EQ(windowDpi, 96u) << "the tests run at 100 %";
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchFontChanges)));
    RECT client96, frame, client;
    GetClientRect(mainWindow, &client96);

    // The suggested size is the system's guess; the window keeps the one it
    // answered WM_GETDPISCALEDSIZE with: the client area scaled, and a frame
    // that here, at one system scale, does not grow (the screen at 144 dots
    // per inch shows the client area exact).
    const SIZE asked = AskedSize(144);
    EXPECT_EQ(asked.cx - MulDiv(client96.right, 144, 96), 330 - client96.right);
    EXPECT_GT(asked.cy - MulDiv(client96.bottom, 144, 96), 200 - client96.bottom);
    SendDpiChange(144, RECT{60, 70, 61, 71});
    GetWindowRect(mainWindow, &frame);
    const RECT expectedFrame{60, 70, 60 + asked.cx, 70 + asked.cy};
    EXPECT_TRUE(EqualRect(&frame, &expectedFrame));
    ExpectChildrenLaidOutFor(144);
    GetClientRect(redBar.window, &client);
    EXPECT_EQ(redBar.track.left, 20); // 13 at 100 %
    EXPECT_EQ(redBar.track.right, client.right - 20);
    GetClientRect(pickColorControl.window, &client);
    EXPECT_EQ(pickColorControl.clientWidth, client.right);
    EXPECT_EQ(pickColorControl.clientHeight, client.bottom);
    EXPECT_EQ(FontHeight(uiFont), 21);
    const HFONT font144 = controlFont;
    EXPECT_EQ(FontHeight(font144), 24);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(copyButton, WM_GETFONT, 0, 0)), font144);

    const SIZE back = AskedSize(96);
    EXPECT_EQ(back.cx, 330);
    EXPECT_EQ(back.cy, 200);
    SendDpiChange(96, RECT{40, 50, 40 + 330, 50 + 200});
    GetWindowRect(mainWindow, &frame);
    const RECT frame96{40, 50, 370, 250};
    EXPECT_TRUE(EqualRect(&frame, &frame96));
    ExpectChildrenLaidOutFor(96);
    EXPECT_EQ(redBar.track.left, 13);
    EXPECT_EQ(redBar.track.right, 133);
    EXPECT_EQ(FontHeight(uiFont), 14);
    EXPECT_EQ(controlFont, nullptr);
    EXPECT_FALSE(Alive(font144)) << "the fonts for 144 dots per inch stay made";
    EXPECT_EQ(fontChanges, "++") << "a font was deleted before the edit box had the next";
}

TEST(DpiFonts, OneFontPerStyleAndScaleKeptUntilItsScaleIsLeft) {
    constexpr FontStyle kStyle{18, FW_BOLD, true};
    const HFONT at96 = FontForDpi(kStyle, 96), at144 = FontForDpi(kStyle, 144);
    EXPECT_EQ(FontForDpi(kStyle, 96), at96);
    EXPECT_EQ(FontHeight(at96), 18);
    EXPECT_EQ(FontHeight(at144), 27);
    KeepOnlyFontsForDpi(144);
    EXPECT_FALSE(Alive(at96));
    EXPECT_TRUE(Alive(at144));
    EXPECT_EQ(FontForDpi(kStyle, 144), at144);
}

// Our controls on the real platform: arrow-key nudges during a pick, as
// Windows and as Wine (where the pointer goes, and what each side trusts about
// where it is), keyboard cues both ways, and what the controls tell screen
// readers and how their objects answer.
#include "controls/keyboard_cues.h"
#include "controls/pick_control.h"
#include "controls/position_bar.h"
#include "tests/unit/win32/both_platforms.h"
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <vector>

namespace {

bool Same(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

class Nudge : public BothPlatforms {
  protected:
    void SetUp() override {
        BothPlatforms::SetUp();
        parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500,
                                 80, 60, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(CreatePickControl(pick, parent, WM_APP, RECT{0, 0, 50, 40}, CLR_INVALID));
        pick.capturing = 1; // as a press on it would leave it
        ASSERT_TRUE(SetCursorPos(200, 300));
    }
    void TearDown() override {
        StopNudgeWatch(pick);
        DestroyWindow(parent);
        BothPlatforms::TearDown();
    }

    HWND parent = nullptr;
    PickControl pick;
};
RUN_AS_BOTH_PLATFORMS(Nudge);

} // namespace

TEST_P(Nudge, AnArrowMovesThePointerAPixelAndOnlyWineWaitsForItToSettle) {
    POINT to;
    ASSERT_TRUE(NudgePointer(pick, VK_RIGHT, false, &to));
    EXPECT_TRUE(Same(to, POINT{201, 300}));
    ASSERT_TRUE(NudgePointer(pick, VK_DOWN, false, &to));
    // Wine's pointer may still report 200,300: the nudge goes on from its own
    // point there. Windows' pointer is where it was sent, and the Windows
    // side nudges from wherever the pointer says it is: here, on Wine, one of
    // the two places.
    if (AsWine()) {
        EXPECT_TRUE(Same(to, POINT{201, 301}));
    } else {
        EXPECT_TRUE(Same(pick.nudge.from, POINT{201, 300}) ||
                    Same(pick.nudge.from, POINT{200, 300}))
            << "from " << pick.nudge.from.x << "," << pick.nudge.from.y;
        EXPECT_TRUE(Same(to, POINT{pick.nudge.from.x, pick.nudge.from.y + 1}));
    }
    EXPECT_EQ(pick.nudge.watching, AsWine()) << "the watch timer is Wine's alone";
    EXPECT_EQ(IsNudgeEcho(pick, POINT{200, 300}), AsWine());
    EXPECT_FALSE(IsNudgeEcho(pick, to));

    POINT before, at, after;
    ASSERT_TRUE(SetCursorPos(250, 350));
    GetCursorPos(&before);
    ASSERT_TRUE(PickPoint(pick, &at));
    GetCursorPos(&after);
    if (AsWine()) {
        EXPECT_TRUE(Same(at, to)) << "the nudged point is trusted while it settles";
    } else if (Same(before, after)) {
        EXPECT_TRUE(Same(at, before)) << "Windows' pick is where the pointer is";
    }

    // Once settled, Wine's watch follows the pointer again, but for a report
    // of the very place the last nudge left, which is its stale echo.
    pick.nudge.tick -= 1000;
    EXPECT_FALSE(IsNudgeEcho(pick, POINT{200, 300}));
    EXPECT_EQ(IsNudgeEcho(pick, POINT{201, 300}), AsWine());
    ForgetNudge(pick); // the next pick: that echo may still come
    EXPECT_EQ(IsNudgeEcho(pick, POINT{201, 300}), AsWine());
    PointerMovedItself(pick); // until the pointer has been elsewhere
    EXPECT_FALSE(IsNudgeEcho(pick, POINT{201, 300}));
}

TEST_P(Nudge, ShiftMovesTenAndTheScreensEdgeStopsIt) {
    ASSERT_TRUE(SetCursorPos(4, 300));
    POINT to;
    ASSERT_TRUE(NudgePointer(pick, VK_LEFT, true, &to));
    EXPECT_TRUE(Same(to, POINT{GetSystemMetrics(SM_XVIRTUALSCREEN), 300}))
        << "to " << to.x << "," << to.y;
    EXPECT_FALSE(IsNudgeKey(VK_HOME));
    EXPECT_FALSE(NudgePointer(pick, VK_HOME, false, &to));
}

namespace {

// The WinEvents our controls raise, heard in this process: out-of-context
// events do not reach another process under Wine.
class WinEvents {
  public:
    explicit WinEvents(HWND window) : window_(window) {
        listening_ = this;
        hook_ = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~WinEvents() {
        UnhookWinEvent(hook_);
        listening_ = nullptr;
    }
    WinEvents(const WinEvents&) = delete;
    WinEvents& operator=(const WinEvents&) = delete;

    // Every event raised so far for the window's client area, in order: a
    // marker is raised last, and the events come in the order they were
    // raised, so all are in once it is.
    std::vector<DWORD> Heard() {
        NotifyWinEvent(kMarker, window_, OBJID_CLIENT, CHILDID_SELF);
        const DWORD start = GetTickCount();
        MSG msg;
        while ((events_.empty() || events_.back() != kMarker) && GetTickCount() - start < 5000) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(1);
        }
        std::vector<DWORD> heard;
        for (DWORD e : events_)
            if (e != kMarker && e != EVENT_OBJECT_LOCATIONCHANGE && e != EVENT_OBJECT_REORDER)
                heard.push_back(e);
        events_.clear();
        return heard;
    }

  private:
    static constexpr DWORD kMarker = EVENT_OBJECT_HELPCHANGE; // no control raises it
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                 DWORD, DWORD) {
        if (listening_ && window == listening_->window_ && object == OBJID_CLIENT &&
            child == CHILDID_SELF)
            listening_->events_.push_back(event);
    }
    static WinEvents* listening_;
    HWND window_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<DWORD> events_;
};
WinEvents* WinEvents::listening_ = nullptr;

HWND MakeParent() {
    return CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500, 160, 60,
                           nullptr, nullptr, nullptr, nullptr);
}

} // namespace

// A bar tells of every change of its value, silent writes too, and of
// nothing else: the focus is the system's to tell (Wine too), and told twice
// a screen reader says it twice.
TEST(BarEvents, ABarTellsOfEveryChangeOfItsValueAndTheSystemOfItsFocus) {
    HWND parent = MakeParent();
    PositionBar bar;
    ASSERT_TRUE(CreatePositionBar(bar, parent, WM_APP, RECT{0, 0, 150, 18}, 0x0000FF));
    WinEvents events(bar.window);
    SetFocus(bar.window);
    SetBarValueSilently(bar, 10);
    SetBarValueSilently(bar, 10); // no change, nothing to tell
    SendMessageA(bar.window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ((std::vector<DWORD>{EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE,
                                  EVENT_OBJECT_VALUECHANGE}),
              events.Heard());
    EXPECT_EQ(11, bar.value);
    DestroyWindow(parent);
}

namespace {

// Our accessible objects as a screen reader in this process gets them.
class AccessibleObjects : public testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        parent = MakeParent();
        ASSERT_TRUE(CreatePositionBar(bar, parent, WM_APP, RECT{0, 0, 150, 18}, 0x0000FF));
        ASSERT_TRUE(CreatePickControl(pick, parent, WM_APP + 10, RECT{0, 20, 50, 60}, CLR_INVALID));
        bar.name = "Red";
        pick.name = "Pick color";
    }
    void TearDown() override {
        if (IsWindow(parent)) DestroyWindow(parent);
        CoUninitialize();
    }
    static IAccessible* ObjectOf(HWND window) {
        IAccessible* object = nullptr;
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
        return object;
    }
    static VARIANT Self() {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }
    static long State(IAccessible* object) {
        VARIANT state;
        VariantInit(&state);
        return SUCCEEDED(object->get_accState(Self(), &state)) && state.vt == VT_I4 ? state.lVal
                                                                                    : -1;
    }

    HWND parent = nullptr;
    PositionBar bar;
    PickControl pick;
};

} // namespace

// One IUnknown whatever interface is asked, the window through IOleWindow,
// the standard object's children through IEnumVARIANT where it has them.
TEST_F(AccessibleObjects, AnswerEveryInterfaceAsOneObject) {
    IAccessible* object = ObjectOf(bar.window);
    ASSERT_NE(nullptr, object);
    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK,
              object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(E_POINTER, object->QueryInterface(__uuidof(IOleWindow), nullptr));
    IOleWindow* window = nullptr;
    ASSERT_EQ(S_OK,
              object->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&window)));
    HWND answered = nullptr;
    EXPECT_EQ(S_OK, window->GetWindow(&answered));
    EXPECT_EQ(bar.window, answered);
    IUnknown* again = nullptr;
    ASSERT_EQ(S_OK, window->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&again)));
    EXPECT_EQ(identity, again);
    again->Release();
    window->Release();
    IEnumVARIANT* children = nullptr;
    if (SUCCEEDED(
            object->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children)))) {
        ASSERT_EQ(S_OK,
                  children->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&again)));
        EXPECT_EQ(identity, again);
        EXPECT_EQ(S_OK, children->Reset());
        again->Release();
        children->Release();
    }
    identity->Release();
    object->Release();
}

// Once the window is gone the object answers nothing as if it were alive.
TEST_F(AccessibleObjects, StopAnsweringOnceTheirWindowIsGone) {
    IAccessible* object = ObjectOf(bar.window);
    ASSERT_NE(nullptr, object);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, object->get_accName(Self(), &name));
    SysFreeString(name);
    DestroyWindow(parent);
    name = nullptr;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accName(Self(), &name));
    VARIANT state;
    VariantInit(&state);
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accState(Self(), &state));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->accDoDefaultAction(Self()));
    long count = 0;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accChildCount(&count));
    object->Release();
}

// The default action only posts: the pick begins once the call is over, and
// the eyedropper is pressed while it picks, which it tells.
TEST_F(AccessibleObjects, TheDefaultActionPicksAfterTheCallPressedAndTold) {
    IAccessible* object = ObjectOf(pick.window);
    ASSERT_NE(nullptr, object);
    WinEvents events(pick.window);
    ASSERT_EQ(S_OK, object->accDoDefaultAction(Self()));
    EXPECT_FALSE(pick.capturing) << "the pick began inside the call";
    EXPECT_EQ(0, State(object) & STATE_SYSTEM_PRESSED);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_TRUE(pick.capturing) << "the posted action began no pick";
    EXPECT_NE(0, State(object) & STATE_SYSTEM_PRESSED);
    SendMessageA(pick.window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0, State(object) & STATE_SYSTEM_PRESSED);
    std::vector<DWORD> changes;
    for (DWORD e : events.Heard())
        if (e == EVENT_OBJECT_STATECHANGE) changes.push_back(e);
    EXPECT_EQ(2u, changes.size()) << "pressed, and released";
    object->Release();
}

namespace {

// A top-level window that keeps its keyboard-cue state as Windows keeps it:
// WM_CHANGEUISTATE changes it (UIS_INITIALIZE as after a mouse input, cues
// hidden), WM_QUERYUISTATE answers it; every change asked is written down.
UINT uiState = 0;
std::vector<WORD> changesAsked;
LRESULT CALLBACK KeepsUiState(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_QUERYUISTATE) return LRESULT(uiState);
    if (msg != WM_CHANGEUISTATE) return DefWindowProcA(w, msg, wp, lp);
    changesAsked.push_back(LOWORD(wp));
    if (LOWORD(wp) == UIS_INITIALIZE) uiState = UISF_HIDEFOCUS | UISF_HIDEACCEL;
    if (LOWORD(wp) == UIS_CLEAR) uiState &= ~UINT(HIWORD(wp));
    if (LOWORD(wp) == UIS_SET) uiState |= HIWORD(wp);
    return 0;
}

class KeyboardCues : public BothPlatforms {
  protected:
    void SetUp() override {
        BothPlatforms::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = KeepsUiState;
        wc.lpszClassName = "KeepsUiState";
        RegisterClassA(&wc);
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "KeepsUiState", "", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
        uiState = 0;
        changesAsked.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        BothPlatforms::TearDown();
    }
    HWND window = nullptr;
};
RUN_AS_BOTH_PLATFORMS(KeyboardCues);

} // namespace

// Windows' side follows the window's state, which it starts from the last
// input and changes when the keyboard moves the focus. Wine's keeps one for
// the process (this user has not asked for cues always), whatever the
// window answers, which under Wine is always "shown".
TEST_P(KeyboardCues, FollowTheWindowsStateWhereTheSystemKeepsOne) {
    InitializeFocusCues(window);
    ASSERT_EQ(std::vector<WORD>{UIS_INITIALIZE}, changesAsked);
    if (AsWine()) {
        OnFocusCueMessage(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
        uiState = 0;
    }
    EXPECT_FALSE(FocusCuesShown(window)) << "cues before the keyboard moved the focus";
    ShowFocusCues(window);
    EXPECT_EQ((std::vector<WORD>{UIS_INITIALIZE, UIS_CLEAR}), changesAsked);
    EXPECT_TRUE(FocusCuesShown(window)) << "no cues once the keyboard moved the focus";
    if (!AsWine()) {
        uiState = UISF_HIDEFOCUS; // the system hid them again, after a click, say
        EXPECT_FALSE(FocusCuesShown(window));
    }
}

// The user asks for cues always while the program runs: they show at once,
// and once the user takes it back, Windows' side starts again from the last
// input.
TEST_P(KeyboardCues, FollowTheUsersChoiceMadeWhileRunning) {
    BOOL found = FALSE;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &found, 0));
    InitializeFocusCues(window);
    OnFocusCueMessage(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
    ASSERT_FALSE(FocusCuesShown(window));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(TRUE), 0));
    OnFocusCueSettingChange(window);
    EXPECT_TRUE(FocusCuesShown(window)) << "no cues though the user asked for them always";
    ASSERT_TRUE(
        SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(INT_PTR(found)), 0));
    OnFocusCueSettingChange(window);
    if (!AsWine()) {
        EXPECT_EQ(UIS_INITIALIZE, changesAsked.back());
        EXPECT_FALSE(FocusCuesShown(window));
    }
}

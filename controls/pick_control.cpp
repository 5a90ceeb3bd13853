#include "controls/pick_control.h"
#include "controls/accessible.h"
#include "controls/keyboard_cues.h"
#include "colour/colour_math.h"
#include "controls/control_class.h"
#include "controls/cursor_image.h"
#include "controls/freeze.h"
#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/tooltip.h"
#include "platform/bitmaps.h"
#include "platform/instance.h"
#include "platform/scale.h"
#include "platform/screen.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr const char* kPickClass = "zPickColor";
constexpr int kPreviewSize = 5;  // the box shows the middle 5x5 pixels of the sample
constexpr int kCursorImage = 32; // the cross-hair image drawn in the box, at 100 %
constexpr WPARAM kPickBegin = 1;
constexpr WPARAM kPickCommit = 0;
constexpr WPARAM kPickCancel = static_cast<WPARAM>(-1);
// A screen reader's default action, posted: a pick is not begun inside its
// call.
constexpr UINT kStartKeyboardPick = WM_APP + 2;

std::int32_t pickCount = 0; // constant-initialised, valid before the records

void SendPickState(PickControl& pick, WPARAM state) {
    SendMessageA(pick.parent, pick.baseMessage + 1, state, RecordParam(pick));
}

// Made once, as large as the loupe's largest square. 32 bits whatever the
// screen's depth: a 16-bit screen's pixels come back exactly as shown, where a
// bitmap compatible with it would be read back as 5-5-5.
void MakeSampleBitmap(PickControl& pick) {
    if (!pick.screenDc) pick.screenDc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!pick.screenDc || !MakeCanvas(pick.sample, kLargestLoupeCount, kLargestLoupeCount)) return;
    pick.bitsPerPixel =
        GetDeviceCaps(pick.screenDc, BITSPIXEL) * GetDeviceCaps(pick.screenDc, PLANES);
}

// FNV-1a over the middle `n` by `n` pixels of a sample of `count`.
std::uint64_t Fingerprint(const std::uint32_t* bits, std::int32_t count, std::int32_t n) {
    std::uint64_t h = 14695981039346656037ull;
    const std::int32_t first = count / 2 - n / 2;
    for (std::int32_t y = first; y < first + n; ++y)
        for (std::int32_t x = first; x < first + n; ++x)
            h = (h ^ bits[y * kLargestLoupeCount + x]) * 1099511628211ull;
    return h ^ std::uint64_t(count);
}

// The loupe's square from the screen, in one BitBlt: what lies off every
// monitor is not read, and shows in the frame's colour.
void ReadLiveSquare(PickControl& pick, const Rect32& square, std::int32_t n) {
    const Rect32& screenRect = pick.screen;
    const std::int32_t left = std::max(square.left, screenRect.left);
    const std::int32_t top = std::max(square.top, screenRect.top);
    const std::int32_t right = std::min(square.right, screenRect.right);
    const std::int32_t bottom = std::min(square.bottom, screenRect.bottom);
    if (left != square.left || top != square.top || right != square.right ||
        bottom != square.bottom)
        for (std::int32_t y = 0; y < n; ++y)
            for (std::int32_t x = 0; x < n; ++x)
                pick.sample.bits[y * kLargestLoupeCount + x] = kLoupeFrameColour;
    if (left < right && top < bottom) {
        BitBlt(pick.sample.dc, left - square.left, top - square.top, right - left, bottom - top,
               pick.screenDc, left, top, SRCCOPY);
        GdiFlush();
    }
}

// Reads the loupe's square around p, from the screen or, while it is
// frozen, from its picture, and returns the colour under p, or CLR_INVALID
// where none can be read.
COLORREF ReadSample(PickControl& pick, POINT p) {
    // The screen's depth at the first sample is kept from then on.
    if (!pick.sample.bits) MakeSampleBitmap(pick);
    if (!pick.sample.bits) return CLR_INVALID;
    const std::int32_t n = LoupeSampleCount(), half = n / 2;
    const Rect32 square{p.x - half, p.y - half, p.x + half + 1, p.y + half + 1};
    if (pick.screen.right <= pick.screen.left) pick.screen = VirtualScreen();
    if (!pick.freezes || !ReadFrozenSquare(p, n, pick.sample.bits, kLargestLoupeCount))
        ReadLiveSquare(pick, square, n);
    pick.sampleCount = n;
    pick.sampleHash = Fingerprint(pick.sample.bits, n, n);
    if (pick.bitsPerPixel < 16 || !Contains(pick.screen, Point32{p.x, p.y})) return CLR_INVALID;
    return ColorRefFromPacked(pick.sample.bits[half * kLargestLoupeCount + half] & 0xFFFFFFu);
}

// The cross-hair at one size, learnt at its first drawing at that size
// (cursor_image.h); both eyedroppers share it.
struct CrossHair {
    std::int32_t size = 0;
    enum class Way { System, Masks, Alpha } way = Way::System; // System: DrawIconEx each time
    std::vector<Packed> andMask, xorMask;
    Canvas32 premultiplied;
};
CrossHair crossHair;

constexpr BLENDFUNCTION kBlendByAlpha{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

// A picture of `size` by `size` in a memory device context, filled with
// `background`; then `draw` on it, and its pixels.
template <typename Draw>
std::vector<Packed> DrawnOn(Packed background, std::int32_t size, Draw draw) {
    std::vector<Packed> pixels;
    std::uint32_t* bits = nullptr;
    HBITMAP image = MakeTopDownDib32(size, size, &bits);
    HDC dc = image ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc) {
        HGDIOBJ old = SelectObject(dc, image);
        std::fill_n(bits, size * size, background);
        draw(dc);
        GdiFlush();
        pixels.assign(bits, bits + size * size);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    if (image) DeleteObject(image);
    return pixels;
}

void DrawCrossHairBySystem(HDC dc, int left, int top, int size) {
    DrawIconEx(dc, left, top, LoadCursorA(nullptr, IDC_CROSS), size, size, 0, nullptr, DI_NORMAL);
}

void ForgetCrossHair() {
    FreeCanvas(crossHair.premultiplied);
    crossHair = CrossHair{};
}

// Learns the cross-hair from the system's drawings on black and on white,
// and keeps a way only where it gives exactly the system's drawing on a
// third background too.
const CrossHair& CrossHairAt(std::int32_t size) {
    if (crossHair.size == size) return crossHair;
    ForgetCrossHair();
    crossHair.size = size;
    constexpr Packed kProbe = 0x5A3C96;
    auto bySystem = [&](HDC dc) { DrawCrossHairBySystem(dc, 0, 0, size); };
    const std::vector<Packed> black = DrawnOn(0x000000, size, bySystem),
                              white = DrawnOn(0xFFFFFF, size, bySystem),
                              probe = DrawnOn(kProbe, size, bySystem);
    const std::int32_t n = size * size;
    if (n <= 0 || black.size() != std::size_t(n) || white.size() != black.size() ||
        probe.size() != black.size())
        return crossHair;
    crossHair.andMask.resize(black.size());
    crossHair.xorMask.resize(black.size());
    DeriveCursorMasks(black.data(), white.data(), n, crossHair.andMask.data(),
                      crossHair.xorMask.data());
    if (CursorMasksReproduce(crossHair.andMask.data(), crossHair.xorMask.data(), n, kProbe,
                             probe.data())) {
        crossHair.way = CrossHair::Way::Masks;
        return crossHair;
    }
    Canvas32& alpha = crossHair.premultiplied;
    if (!MakeCanvas(alpha, size, size) ||
        !DeriveCursorAlpha(black.data(), white.data(), n, alpha.bits))
        return crossHair;
    const std::vector<Packed> blended = DrawnOn(kProbe, size, [&](HDC dc) {
        GdiAlphaBlend(dc, 0, 0, size, size, alpha.dc, 0, 0, size, size, kBlendByAlpha);
    });
    if (blended == probe) crossHair.way = CrossHair::Way::Alpha;
    return crossHair;
}

void DrawCrossHair(PickControl& pick, int left, int top, int size) {
    const CrossHair& cross = CrossHairAt(size);
    switch (cross.way) {
    case CrossHair::Way::Masks:
        GdiFlush(); // what was drawn below it is in the bits
        ApplyCursorMasks(pick.box.bits, pick.clientWidth, pick.clientWidth, pick.clientHeight, left,
                         top, size, cross.andMask.data(), cross.xorMask.data());
        break;
    case CrossHair::Way::Alpha:
        GdiAlphaBlend(pick.box.dc, left, top, size, size, cross.premultiplied.dc, 0, 0, size, size,
                      kBlendByAlpha);
        break;
    case CrossHair::Way::System: DrawCrossHairBySystem(pick.box.dc, left, top, size); break;
    }
}

// The box's picture, made whole in its buffer: the sample's middle 5x5
// stretched over it (before the first sample, the background), the
// cross-hair image in the middle, as large as the screen's scale makes it,
// and the focus cue. Each step that changes the 5x5 draws it at once.
void DrawBox(PickControl& pick, HDC dc) {
    if (!pick.box.dc && !MakeCanvas(pick.box, pick.clientWidth, pick.clientHeight)) return;
    const RECT client{0, 0, pick.clientWidth, pick.clientHeight};
    if (pick.sampleCount >= kPreviewSize) {
        const int corner = pick.sampleCount / 2 - kPreviewSize / 2;
        StretchBlt(pick.box.dc, 0, 0, pick.clientWidth, pick.clientHeight, pick.sample.dc, corner,
                   corner, kPreviewSize, kPreviewSize, SRCCOPY);
    } else {
        FillRect(pick.box.dc, &client,
                 pick.backgroundBrush ? pick.backgroundBrush : GetSysColorBrush(COLOR_WINDOW));
    }
    const int image = ScaleForDpi(kCursorImage, pick.dpi);
    DrawCrossHair(pick, (pick.clientWidth - image) >> 1, (pick.clientHeight - image) >> 1, image);
    if (pick.focused) DrawFocusCue(pick.window, pick.box.dc);
    BitBlt(dc, 0, 0, pick.clientWidth, pick.clientHeight, pick.box.dc, 0, 0, SRCCOPY);
}

void OnPickPaint(PickControl& pick) {
    PAINTSTRUCT ps;
    DrawBox(pick, BeginPaint(pick.window, &ps));
    EndPaint(pick.window, &ps);
}

// The box's buffer is made anew at its next drawing, at its new size.
void ForgetBoxBuffer(PickControl& pick) {
    FreeCanvas(pick.box);
}

void ReadClientSize(PickControl& pick) {
    RECT client;
    GetClientRect(pick.window, &client);
    pick.clientWidth = client.right;
    pick.clientHeight = client.bottom;
}

// The keys of a pick from anywhere, registered for the eyedropper while it
// lasts, since no window of ours has the keyboard then: the arrows, with
// Shift too, Space, Enter and Esc, and the zoom's keys. They reach no other
// program meanwhile.
const struct {
    UINT key, modifiers;
} kAnywhereKeys[] = {
    {VK_LEFT, 0},
    {VK_RIGHT, 0},
    {VK_UP, 0},
    {VK_DOWN, 0},
    {VK_LEFT, MOD_SHIFT},
    {VK_RIGHT, MOD_SHIFT},
    {VK_UP, MOD_SHIFT},
    {VK_DOWN, MOD_SHIFT},
    {VK_SPACE, 0},
    {VK_RETURN, 0},
    {VK_ESCAPE, 0},
    {VK_ADD, 0},
    {VK_SUBTRACT, 0},
    {VK_OEM_PLUS, 0},
    {VK_OEM_MINUS, 0},
    {VK_OEM_PLUS, MOD_SHIFT},
    {'F', 0}, // the freeze's
};
constexpr int kFirstAnywhereKey = 0x100; // the ids, one a key

void RegisterAnywhereKeys(PickControl& pick) {
    int id = kFirstAnywhereKey;
    for (const auto& k : kAnywhereKeys)
        RegisterHotKey(pick.window, id++, k.modifiers, k.key);
}

void UnregisterAnywhereKeys(PickControl& pick) {
    for (int id = kFirstAnywhereKey; id < kFirstAnywhereKey + int(std::size(kAnywhereKeys)); ++id)
        UnregisterHotKey(pick.window, id);
}

// Runs at every press, also during a pick: a second press begins anew. A
// pick from anywhere takes neither the focus nor the capture: another
// program stays active.
void BeginPick(PickControl& pick, bool anywhere = false) {
    if (!anywhere) SetFocus(pick.window);
    const bool began = !pick.capturing;
    pick.capturing = 1;
    pick.keyboard = 0;
    pick.anywhere = anywhere;
    if (began) pick.reported = CLR_INVALID;
    ShowToolTips(false);
    pick.wheelRest = 0;
    pick.screen = VirtualScreen();
    pick.boxOnScreen = Rect32{}; // the main window may have moved since the last pick
    ForgetNudge(pick);
    // Wine sends WM_CAPTURECHANGED even when the capture goes to the window
    // that holds it already, which would cancel the pick this press goes on.
    if (!anywhere && GetCapture() != pick.window) SetCapture(pick.window);
    InvalidateRect(pick.window, nullptr, TRUE);
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    POINT p;
    if (GetCursorPos(&p)) ShowLoupe(pick, p); // with the last picture: it is over us
    SendPickState(pick, kPickBegin);
    if (began) NotifyStateChange(pick.window); // pressed
}

void EndPick(PickControl& pick, WPARAM outcome) {
    if (!pick.capturing) return;
    // Cleared before ReleaseCapture: the WM_CAPTURECHANGED it delivers at once
    // comes back here and must find nothing to end.
    pick.capturing = 0;
    StopNudgeWatch(pick);
    if (pick.anywhere) UnregisterAnywhereKeys(pick);
    if (pick.freezes) ThawScreen();
    HideLoupe();
    if (GetCapture() == pick.window) ReleaseCapture();
    SendPickState(pick, outcome);
    InvalidateRect(pick.window, nullptr, FALSE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    NotifyStateChange(pick.window); // no longer pressed
    ShowToolTips(true);
}

// Space or Enter on the focused control, or a screen reader's default
// action: a pick from where the pointer is, as a press there would begin it.
// With no button held the capture brings no moves from over other programs'
// windows, so the pointer is watched as well.
void BeginKeyboardPick(PickControl& pick) {
    BeginPick(pick);
    pick.keyboard = 1;
    StartPointerWatch(pick, true);
    POINT p;
    if (GetCursorPos(&p)) SampleAt(pick, p);
}

bool OnUs(const PickControl& pick, LPARAM lp) {
    const int x = short(LOWORD(lp)), y = short(HIWORD(lp));
    return x >= 0 && y >= 0 && x < pick.clientWidth && y < pick.clientHeight;
}

// A press on the control begins a pick, also during one. One elsewhere
// reaches it only under the capture: it ends a pick begun from the keyboard.
void OnPickPress(PickControl& pick, LPARAM lp) {
    const bool onUs = OnUs(pick, lp);
    if (pick.capturing && pick.keyboard && !onUs) return EndPick(pick, kPickCancel);
    if (!pick.capturing && !onUs) return; // sent under a capture let go since
    BeginPick(pick);
}

// F freezes the screen, and unfreezes it: the pixel under the pointer is
// read at once, from the picture or from the live screen.
constexpr WPARAM kFreezeKey = 'F';

void ToggleFreeze(PickControl& pick) {
    POINT p;
    const bool known = PickPoint(pick, &p);
    if (ScreenFrozen()) {
        const std::int32_t half = LoupeSampleCount() / 2;
        ThawScreenAndAwait(known ? Rect32{p.x - half, p.y - half, p.x + half + 1, p.y + half + 1}
                                 : Rect32{});
    } else if (!FreezeScreen(GetAncestor(pick.window, GA_ROOT))) {
        return;
    }
    if (known) SampleAt(pick, p);
}

bool IsPickKey(WPARAM key) {
    return key == VK_SPACE || key == VK_RETURN;
}

bool Repeated(LPARAM lp) {
    return (lp & (1 << 30)) != 0; // the key was down already: held, not pressed
}

// The wheel or + and -: the loupe's next zoom, shown at once where the pick is.
void Zoom(PickControl& pick, int steps) {
    POINT p;
    if (ZoomLoupe(steps) && PickPoint(pick, &p)) SampleAt(pick, p);
}

void OnPickWheel(PickControl& pick, int delta) {
    if (!pick.capturing) return;
    pick.wheelRest += delta;
    const int notches = pick.wheelRest / WHEEL_DELTA; // away from the user: positive
    pick.wheelRest -= notches * WHEEL_DELTA;
    if (notches != 0) Zoom(pick, notches);
}

int ZoomKey(WPARAM key) {
    switch (key) {
    case VK_ADD:
    case VK_OEM_PLUS: return 1;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: return -1;
    default: return 0;
    }
}

// A key of a pick, pressed on the focused control or, in a pick from
// anywhere, as its hotkey; false when it is none of the pick's.
bool OnPickKey(PickControl& pick, WPARAM key, bool shift, bool repeated) {
    if (pick.capturing && pick.freezes && key == kFreezeKey) {
        if (!repeated) ToggleFreeze(pick);
        return true;
    }
    if (pick.capturing && key == VK_ESCAPE) {
        EndPick(pick, kPickCancel); // swallowed: Esc here must not close the main window
        return true;
    }
    if (pick.capturing && IsNudgeKey(key)) {
        POINT to;
        // Sampled at once, where the pointer was sent: its own report may lag.
        if (NudgePointer(pick, key, shift, &to)) SampleAt(pick, to);
        return true;
    }
    if (pick.capturing && ZoomKey(key) != 0) {
        Zoom(pick, ZoomKey(key));
        return true;
    }
    if (IsPickKey(key) && (!pick.capturing || pick.keyboard)) {
        if (repeated) return true;
        if (pick.capturing)
            EndPick(pick, kPickCommit);
        else
            BeginKeyboardPick(pick);
        return true;
    }
    return pick.capturing && key == VK_TAB; // the focus stays while the pick lasts
}

void OnPickKeyDown(PickControl& pick, WPARAM key, LPARAM lp) {
    if (!OnPickKey(pick, key, GetKeyState(VK_SHIFT) < 0, Repeated(lp)))
        PostMessageA(pick.parent, WM_KEYDOWN, key, lp);
}

void OnPickHotkey(PickControl& pick, WPARAM id, LPARAM lp) {
    const WPARAM index = id - kFirstAnywhereKey;
    if (!pick.anywhere || id < kFirstAnywhereKey || index >= std::size(kAnywhereKeys)) return;
    OnPickKey(pick, kAnywhereKeys[index].key, (LOWORD(lp) & MOD_SHIFT) != 0, false);
}

void OnPickMouseMove(PickControl& pick) {
    if (!pick.capturing) return;
    POINT p;
    if (!GetCursorPos(&p)) return; // the message's own coordinates are relative to us
    if (IsNudgeEcho(pick, p)) return;
    if (p.x != pick.nudge.point.x || p.y != pick.nudge.point.y) PointerMovedItself(pick);
    SampleAt(pick, p);
}

// What the capture does not bring, the watch does (pick_nudge.h).
void OnPickTimer(PickControl& pick) {
    if (!pick.capturing) return;
    POINT p;
    switch (WatchPointer(pick, &p)) {
    case NudgeWatch::Moved: SampleAt(pick, p); break;
    case NudgeWatch::Released:
        if (!pick.keyboard) EndPick(pick, kPickCommit);
        break;
    case NudgeWatch::Nothing: break;
    }
}

POINT PointOf(LPARAM lp) {
    return POINT{short(LOWORD(lp)), short(HIWORD(lp))};
}

// A press seen by the watch's hook during a pick from the keyboard: one on
// the control comes as a message too and begins anew; one elsewhere
// cancels. In a pick from anywhere the left button takes the pixel at its
// release, and any other cancels.
void OnPressElsewhere(PickControl& pick, WPARAM button, LPARAM lp) {
    if (!pick.capturing || !pick.keyboard) return;
    if (pick.anywhere) {
        if (button != WM_LBUTTONDOWN) EndPick(pick, kPickCancel);
    } else if (WindowFromPoint(PointOf(lp)) != pick.window) {
        EndPick(pick, kPickCancel);
    }
}

void OnReleaseElsewhere(PickControl& pick, WPARAM button, LPARAM lp) {
    if (!pick.capturing || !pick.anywhere || button != WM_LBUTTONUP) return;
    SampleAt(pick, PointOf(lp)); // where it was let go, which a move may not have told yet
    EndPick(pick, kPickCommit);
}

PickControl* PickOf(HWND w) {
    return RecordOf<PickControl>(w);
}

bool Picking(HWND w) {
    const PickControl* pick = PickOf(w);
    return pick && pick->capturing;
}

LRESULT OnPickGetObject(PickControl& pick, WPARAM wp, LPARAM lp) {
    const AccessibleFacts facts{pick.name, pick.description,   "Pick",  ROLE_SYSTEM_PUSHBUTTON,
                                nullptr,   kStartKeyboardPick, Picking, true};
    return AnswerGetObject(pick.window, wp, lp, facts);
}

// The focus gone elsewhere ends a pick from the keyboard, which needs it.
void OnPickKillFocus(PickControl& pick) {
    pick.focused = 0;
    if (pick.capturing && pick.keyboard && !pick.anywhere) EndPick(pick, kPickCancel);
}

// Nothing of a pick outlives the window: the capture, the loupe, the
// pointer's watch and its hook; screen readers' objects stop answering.
void OnPickDestroy(PickControl& pick) {
    EndPick(pick, kPickCancel);
    StopNudgeWatch(pick);
    DisconnectAccessibleObjects(pick.window);
}

LRESULT CALLBACK PickProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    PickControl* pick = PickOf(w);
    if (!pick) return DefWindowProcA(w, msg, wp, lp);
    switch (msg) {
    case WM_PAINT: OnPickPaint(*pick); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: OnPickMouseMove(*pick); break;
    case WM_MOUSEWHEEL:
        if (!pick->capturing) break; // outside a pick the parent may have it
        OnPickWheel(*pick, GET_WHEEL_DELTA_WPARAM(wp));
        return 0;
    case WM_KEYDOWN: OnPickKeyDown(*pick, wp, lp); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: OnPickPress(*pick, lp); break;
    case WM_LBUTTONUP: EndPick(*pick, kPickCommit); break;
    case WM_CAPTURECHANGED: EndPick(*pick, kPickCancel); break;
    case WM_TIMER: OnPickTimer(*pick); break;
    case kPressElsewhere: OnPressElsewhere(*pick, wp, lp); return 0;
    case kReleaseElsewhere: OnReleaseElsewhere(*pick, wp, lp); return 0;
    case kWheelElsewhere: OnPickWheel(*pick, short(LOWORD(wp))); return 0;
    case WM_HOTKEY: OnPickHotkey(*pick, wp, lp); return 0;
    case WM_GETOBJECT:
        if (const LRESULT object = OnPickGetObject(*pick, wp, lp)) return object;
        break;
    case kStartKeyboardPick:
        if (!pick->capturing) BeginKeyboardPick(*pick);
        return 0;
    case WM_CANCELMODE: EndPick(*pick, kPickCancel); break;
    case WM_DESTROY: OnPickDestroy(*pick); break;
    case WM_SETFOCUS:
        pick->focused = 1;
        OnFocusCueMessage(w, msg, wp);
        break;
    case WM_KILLFOCUS:
        OnPickKillFocus(*pick);
        OnFocusCueMessage(w, msg, wp);
        break;
    default: OnFocusCueMessage(w, msg, wp); break;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// Over the box itself, which a pick never reads. Only a point on its place
// is asked about, which saves Wine a round trip a step.
bool OverTheBox(PickControl& pick, POINT p) {
    if (pick.boxOnScreen.right <= pick.boxOnScreen.left) {
        RECT r{};
        GetWindowRect(pick.window, &r);
        pick.boxOnScreen = Rect32{r.left, r.top, r.right, r.bottom};
    }
    return Contains(pick.boxOnScreen, Point32{p.x, p.y}) && WindowFromPoint(p) == pick.window;
}

} // namespace

void CancelKeyboardPick(PickControl& pick) {
    if (pick.capturing && pick.keyboard && !pick.anywhere) EndPick(pick, kPickCancel);
}

void PickFromAnywhere(PickControl& pick) {
    if (pick.capturing || !pick.window) return;
    // The keys first: once the loupe shows, the pick hears them.
    RegisterAnywhereKeys(pick);
    BeginPick(pick, true);
    pick.keyboard = 1;
    StartPointerWatch(pick, true, true);
    POINT p;
    if (GetCursorPos(&p)) SampleAt(pick, p);
}

void SetPickToolTip(PickControl& pick) {
    if (pick.window && pick.description) SetToolTip(pick.window, pick.description);
}

void SampleAt(PickControl& pick, POINT p) {
    if (OverTheBox(pick, p)) { // keep the last picture, report nothing
        ShowLoupe(pick, p);
        return;
    }
    // Read what the screen shows: many windows (GPU-drawn, layered) hold
    // nothing readable in their own device context.
    const COLORREF colour = ReadSample(pick, p);
    pick.sampleColour = colour;
    pick.samplePoint = p;
    if (pick.sample.bits) {
        const std::uint64_t preview = Fingerprint(pick.sample.bits, pick.sampleCount, kPreviewSize);
        if (preview != pick.previewHash && pick.windowDc) DrawBox(pick, pick.windowDc);
        pick.previewHash = preview;
    }
    ShowLoupe(pick, p);
    if (colour == CLR_INVALID) return;
    pick.reported = colour;
    PostMessageA(pick.parent, pick.baseMessage, static_cast<WPARAM>(colour), RecordParam(pick));
}

PickControl::PickControl()
    : sample{}, screenDc(nullptr), sampleCount(0), sampleColour(CLR_INVALID), samplePoint{},
      sampleHash(0), previewHash(0), screen{}, boxOnScreen{}, box{}, windowDc(nullptr),
      backgroundBrush(nullptr), parent(nullptr), window(nullptr), baseMessage(0), bitsPerPixel(0),
      clientWidth(0), clientHeight(0), capturing(0), dpi(kBaseDpi), nudge{}, wheelRest(0),
      keyboard(0), anywhere(0), focused(0), freezes(0), reported(CLR_INVALID), name(nullptr),
      description(nullptr) {
    // A device context of its own: the box is drawn at every step that
    // changes it, with no look-up of one.
    if (pickCount == 0) RegisterControlClass(kPickClass, CS_OWNDC);
    ++pickCount;
}

PickControl::~PickControl() {
    --pickCount;
    ForgetBoxBuffer(*this);
    FreeCanvas(sample);
    if (screenDc) DeleteDC(screenDc);
    if (backgroundBrush) DeleteObject(backgroundBrush);
}

bool CreatePickControl(PickControl& pick, HWND parent, std::uint32_t baseMessage, const RECT& rect,
                       COLORREF background) {
    pick.baseMessage = baseMessage;
    pick.parent = parent;
    pick.window = CreateWindowExA(WS_EX_CLIENTEDGE, kPickClass, nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  nullptr, InstanceHandle(), nullptr);
    if (!pick.window) return false;

    AttachRecord(pick.window, pick, PickProc);
    pick.windowDc = GetDC(pick.window); // its own, kept
    ReadClientSize(pick);
    if (background != CLR_INVALID) pick.backgroundBrush = CreateSolidBrush(background);
    return true;
}

void SetPickScale(PickControl& pick, const RECT& rect, std::uint32_t dpi) {
    pick.dpi = dpi;
    if (!pick.window) return;
    MoveWindow(pick.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               FALSE);
    ReadClientSize(pick);
    ForgetBoxBuffer(pick);
    pick.boxOnScreen = Rect32{};
    InvalidateRect(pick.window, nullptr, TRUE);
}

// The end-to-end driver's toolbox: it starts the real Tintwell.exe in a fresh
// directory, gives it real mouse and keyboard input and reads what a user
// would see: pixels, texts, the clipboard, the settings file, the exit code.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/expected.h"

namespace e2e {

// The program under test, set by main from the command line.
const std::string& TintwellPath();
void SetTintwellPath(const std::string& path);

// A path as the driver received it; Unix paths ("/x/y") become Z:\x\y.
std::string WindowsPath(const std::string& path);

// Polls `done` every 10 ms until it returns true or `timeoutMs` passes; the
// last answer of `done` is the result.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Dispatches every message waiting for the calling thread.
void PumpMessages();
// WaitUntil for a thread that owns windows: its messages are dispatched
// before each poll, so its windows keep answering and painting.
bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// ---- Geometry -------------------------------------------------------------

int Area(const RECT& r);
POINT Middle(const RECT& r);
RECT Inset(RECT r, int by); // shrunk by `by` on every side

// ---- Colour text ----------------------------------------------------------
// The edit box shows a colour as packed RRGGBB; colour references are 0x00BBGGRR.

std::string HexText(COLORREF colour); // "RRGGBB", upper case
// The colour of an "RRGGBB" text, or CLR_INVALID when it is not six hex digits.
COLORREF ColourOfHex(const std::string& text);
// A colour as the settings file writes it: the reference in decimal.
std::string DecimalText(COLORREF colour);

// ---- Screen -------------------------------------------------------------

int ScreenDepth(); // bits per pixel of the screen (32 on a 24-bit X server)
int ScreenDpi();   // the screen's dots per inch: 96 at 100 %
// A size or a rectangle given at 100 %, at the screen's scale (MulDiv).
int AtScreenScale(int at100);
RECT AtScreenScale(const RECT& at100);
int ScreenWidth();
int ScreenHeight();

// What the screen shows for `colour` (0x00BBGGRR) once read back: exact at 24
// and 32 bits, quantised to the screen's 16-bit layout otherwise.
COLORREF ScreenColour(COLORREF colour);
// True when a pixel read from the screen shows `expected`.
bool ShowsColour(COLORREF shown, COLORREF expected);
// The 16-bit screen's layout: 565 or 555; 0 on deeper screens.
int Screen16BitLayout();

// Quantises like a 16-bit screen of the given layout (565 or 555). Pure.
COLORREF Quantise16(COLORREF colour, int layout);

// One read of a screen rectangle (screen coordinates), kept in memory.
class ScreenImage {
  public:
    explicit ScreenImage(const RECT& area);
    const RECT& Area() const { return area_; }
    // The pixel at a screen point inside Area(), as 0x00BBGGRR.
    COLORREF At(int x, int y) const;
    // How many pixels of `part` (screen coordinates, clipped to Area()) show
    // `expected` on the screen.
    int Count(const RECT& part, COLORREF expected) const;
    bool WriteBmp(const std::string& path) const;

  private:
    RECT area_;
    std::vector<std::uint32_t> pixels_; // 0x00RRGGBB, top row first
};

COLORREF ScreenPixel(int x, int y);

// ---- Windows of the driver's -------------------------------------------------

// A popup window of the driver's at a screen rectangle, run on a thread of
// its own so that it keeps painting and answering while a test waits.
class ThreadWindow {
  public:
    ThreadWindow(const char* className, WNDPROC procedure, const RECT& screen,
                 DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    ~ThreadWindow(); // closes the window and ends its thread
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;

    HWND Handle() const { return window_; }
    const RECT& ScreenRect() const { return screen_; }

  private:
    void Run(const char* className, WNDPROC procedure, DWORD exStyle);

    RECT screen_;
    HANDLE ready_ = nullptr;
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

// A topmost window of one-pixel columns, each its own colour, at a screen
// place. No two of the first 256 columns share the top five bits of all three
// components, so they differ on a 16-bit screen too.
class StripesWindow {
  public:
    StripesWindow(POINT origin, int columns, int height);

    HWND Handle() const { return window_.Handle(); }
    RECT ScreenRect() const { return window_.ScreenRect(); }
    POINT Column(int i) const;     // the screen point in the middle of column i
    static COLORREF Colour(int i); // as painted
    static COLORREF ShownColour(int i) { return ScreenColour(Colour(i)); }
    // Waits until the screen shows every column in its colour.
    bool Shown(DWORD timeoutMs = 5000) const;
    // Paints column i in Colour(i + shift) from now on; true once it has
    // painted so, whatever the screen shows over it.
    bool Recolour(int shift) const;

  private:
    ThreadWindow window_;
};

// A window of one colour that changes every 30 ms, round kFlickerColours,
// as a video or an animation would.
class FlickerWindow {
  public:
    explicit FlickerWindow(const RECT& screen);
    HWND Handle() const { return window_.Handle(); }
    POINT Middle() const;
    static COLORREF Colour(int frame); // distinct at 16 bits too
    // How many times it has painted a new colour so far.
    static int Frames();
    // Waits until it has painted `frames` more times.
    bool Changes(int frames) const;

  private:
    ThreadWindow window_;
};

// The loupe as the screen shows it: a frame of `border`, `block` pixels a
// screen pixel, `count` of them each way, a line of text `text` high.
struct LoupeView {
    RECT rect;
    int border, block, count, text;
    // The colour of the block dx, dy from the middle one.
    COLORREF Block(int dx, int dy) const;
    bool SizeIsRight() const;
    // Its middle block and those either side show the stripes' columns there,
    // in order.
    bool ShowsColumnsAround(int column) const;
};

// ---- Input --------------------------------------------------------------
// The mouse acts on the X display, as a real one would (xdotool); keys go
// through the system's input queue (SendInput). Each mouse function returns
// once Wine has taken the input; input that is not taken is a test failure.

enum class Button { Left, Right };
// Puts the pointer at a screen point; true once Wine has it there.
bool MouseMove(int x, int y);
// Button presses and releases where the pointer is, without moving it. X
// knows a button that is down: a second press, or a release of a button that
// is up, is not input at all.
void MouseDownHere(Button button = Button::Left);
void MouseUpHere(Button button = Button::Left);
// Moves there first.
void MouseDown(int x, int y, Button button = Button::Left);
void MouseUp(int x, int y, Button button = Button::Left);
void Click(int x, int y, Button button = Button::Left);
// A left click where the pointer is that a low-level mouse hook keeps from
// every program: the button's state never changes, so nothing is waited for
// here; the caller waits for what the click does.
void ClickKeptFromOthers();
// Press at `from`, move to `to` in `steps` moves, release there.
void Drag(POINT from, POINT to, int steps = 8, Button button = Button::Left);

// Turns the wheel by whole notches, away from the user for positive ones.
void Wheel(int notches);

void KeyDown(WORD vk);
void KeyUp(WORD vk);
void KeyPress(WORD vk);
// Holds the keys down in order and lets them go in reverse: {VK_MENU, VK_F4}.
void KeyChord(const std::vector<WORD>& vks);
// Types text as key strokes (with Shift where the layout needs it).
void TypeText(const std::string& text);
// Selects all text of the focused edit box (End, then Shift+Home), so typing
// replaces it; Wine's edit box has no Ctrl+A.
void SelectAllText();

// A visible pop-up menu (class "#32768"), such as the system menu, or null.
HWND VisibleMenu();
// Whether the visible pop-up menu shows a square of each colour, one under
// the other in this order. (Another process cannot read a menu's texts
// under Wine; they are tested where the menu is made.)
bool MenuShowsColourSquares(const std::vector<COLORREF>& colours);

// ---- Screen readers ---------------------------------------------------------

// A control's accessible object as a screen reader in another process has
// it (the thread must have started COM); "<none>" or -1 where it says
// nothing.
class Accessible {
  public:
    explicit Accessible(HWND window);
    ~Accessible();
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;
    bool Found() const { return object_ != nullptr; }

    std::string Name() const { return Text(&IAccessible::get_accName); }
    std::string Value() const { return Text(&IAccessible::get_accValue); }
    std::string Description() const { return Text(&IAccessible::get_accDescription); }
    std::string DefaultAction() const { return Text(&IAccessible::get_accDefaultAction); }
    long Role() const { return Number(&IAccessible::get_accRole); }
    long State() const { return Number(&IAccessible::get_accState); }
    bool DoDefaultAction() const;

  private:
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const;
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const;

    IAccessible* object_ = nullptr;
};

// ---- Clipboard ------------------------------------------------------------

bool ClipboardText(std::string* text);                  // CF_TEXT
bool ClipboardUnicodeText(std::wstring* text);          // CF_UNICODETEXT
bool SetClipboardText(const std::string& text);         // empties, then CF_TEXT
bool SetClipboardUnicodeText(const std::wstring& text); // empties, then CF_UNICODETEXT

// ---- Settings file --------------------------------------------------------

struct IniLine {
    std::string section, key, value;
};
// The key lines of an INI text, in file order, with their section.
std::vector<IniLine> ParseIni(const std::string& text);

// The names in a folder, sorted, without "." and ".."; paths of any length.
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// ---- The program under test ---------------------------------------------------

struct LaunchOptions {
    std::optional<std::string> ini;  // ZantheTintwell.ini written before start
    std::optional<WORD> showCommand; // STARTF_USESHOWWINDOW with this command
    std::string arguments;           // appended to the command line
    bool expectWindow = true;        // false: do not wait for the main window
    // A folder inside the fresh directory, made first and started in, with
    // the file there: "a\\b" for two levels, any letters and any length.
    std::wstring folder = L"";
    // Libraries an attacker lays beside the program ("oleacc.dll"): a copy of
    // Tintwell.exe in a folder of its own is started, with a library of the
    // driver's under each name beside it, which leaves a file "<name>.ran"
    // there if it is ever loaded; Wine is told to look beside the program
    // first for them, as Windows does for a library that is not a KnownDLL.
    std::vector<std::string> plantedLibraries = {};
};

struct ChildWindow {
    HWND handle;
    std::string className;
    std::string text;
    RECT rect; // in the main window's client coordinates
    LONG id;
};

class Tintwell {
  public:
    Tintwell();
    ~Tintwell(); // closes a running program (killing it only if it hangs), removes the directory
    Tintwell(const Tintwell&) = delete;
    Tintwell& operator=(const Tintwell&) = delete;

    // Starts the program in a fresh temporary directory and waits until its
    // main window is visible and has settled (idle, painted).
    bool Start(const LaunchOptions& options = {});
    bool Running() const;
    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.hProcess; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    const std::string& Directory() const { return directory_; }
    const std::wstring& StartFolder() const { return folder_; } // where it was started
    // The folder of the program that runs: the copy's, with planted libraries.
    const std::wstring& ProgramFolder() const { return programFolder_; }
    // The full paths of the modules loaded in the running program.
    std::vector<std::wstring> Modules() const;

    // Waits until the program is idle and nothing of its windows awaits painting.
    bool Settle(DWORD timeoutMs = 5000) const;

    // Geometry: client coordinates of the main window to screen and back.
    POINT ToScreen(int x, int y) const;
    RECT ToScreen(const RECT& client) const;
    RECT WindowRect() const;
    RECT ClientRect() const; // client coordinates, left/top 0

    std::vector<ChildWindow> Children() const;
    // The child of `className` whose client rectangle is exactly the given one.
    HWND ChildAt(const char* className, const RECT& rect) const;

    std::string Title() const;
    LONG ExStyle() const;
    HWND Focus() const;   // the keyboard focus of the program's thread
    HWND Capture() const; // the window of the program's thread holding the mouse
    // Waits until the program's keyboard focus is `window`.
    bool FocusBecomes(HWND window) const;
    // The window of the frozen screen while it shows, else null.
    HWND FrozenScreen() const;
    // The text of the program's tooltip while one shows, else "".
    std::string ToolTip() const;
    // The loupe while it shows, else null; its screen rectangle, else empty.
    HWND Loupe() const;
    RECT LoupeRect() const;
    // Makes the main window the foreground window, clicking its title bar if
    // asking is not enough; true once it is.
    bool Activate() const;
    static std::string Text(HWND window); // WM_GETTEXT
    // The screen point in the middle of the title bar's part that hit tests
    // as `hit` (HTCLOSE, HTMINBUTTON, HTCAPTION), found along the caption.
    bool CaptionPoint(LRESULT hit, POINT* point) const;

    // Clicks at a client point of the main window.
    void ClickClient(int x, int y, Button button = Button::Left) const;

    std::wstring IniPath() const; // in the start folder
    bool IniExists() const;
    bool ReadIni(std::string* text) const;
    std::vector<IniLine> IniLines() const;

    // Waits for the process to end; true with its exit code when it did.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    // WM_CLOSE to the main window, then waits for the exit.
    bool Close(DWORD timeoutMs, DWORD* exitCode);
    // Last resort after a failure, so the next test starts clean.
    void Kill();

  private:
    GUITHREADINFO ThreadInfo() const;
    // The copy of the program with the planted libraries beside it, and the
    // environment that has Wine look there first.
    bool PlantLibraries(const std::vector<std::string>& names, std::wstring* program,
                        std::vector<wchar_t>* environment);

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::string directory_;
    std::wstring folder_, programFolder_;
    bool exited_ = false;
    DWORD exitCode_ = 0;
};

// The value of a key of "General", or "<missing>".
std::string IniValue(const std::vector<IniLine>& lines, const std::string& key);

// ---- A fixture: one program per test ---------------------------------------------
// Places are given as in expected.h, at 100 %, and taken to the screen's scale.

class AppTest : public ::testing::Test {
  protected:
    // Starts the program; false unless its window and edit box show.
    bool Launch(const LaunchOptions& options = {});
    RECT OnScreen(const RECT& client100) const; // a client rectangle, on the screen
    POINT MiddleOf(const RECT& client100) const;
    HWND Child(const char* className, const RECT& client100) const;

    std::string Text() const; // the edit box's
    // Waits for the text, lets the program finish what it was doing and asks
    // again, so a passing glimpse does not count.
    ::testing::AssertionResult TextBecomes(const std::string& text, DWORD timeoutMs = 5000) const;
    // Wait until every pixel inside the swatch's frame, or of a palette cell,
    // shows `colour`.
    bool SwatchShows(COLORREF colour) const;
    bool CellShows(int cell, COLORREF colour) const;
    // Replaces the edit box's text by typing, clicking into it first unless
    // it has the focus; succeeds once it shows `shown` (the typed text if empty).
    ::testing::AssertionResult Type(const std::string& typed, const std::string& shown = "") const;
    // Closes the program, expecting exit code 0, and reads its settings file.
    std::vector<IniLine> CloseAndReadIni();
    // A click on the Copy button, which copies and takes the focus.
    void ClickCopy() const;

    Tintwell app;
    HWND edit = nullptr;
};

// Writes a BMP of the desktop around a freshly started program, then closes
// it. The driver's --screenshot mode.
// The scene: "window" (the window as it starts), "menu" (the Copy button's
// menu open), "recent" (the recent colours' menu open), "pick" (a pick
// nudged over one-pixel columns, with the loupe) or "loupe" (the same with
// the loupe zoomed two steps).
int TakeScreenshot(const std::string& tintwell, const std::string& bmpPath,
                   const std::string& scene);

} // namespace e2e

// The settings file as a user meets it: what a prepared file changes on
// screen, what a run saves at the end of a session and the next run starts
// from, and how start-up and shutdown treat the window's position (one whose
// title bar nobody can reach too), the show command, the command line, a
// read-only file, a very deep start-up directory, a folder named outside the
// code page and a hung window elsewhere on the desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::Area;
using e2e::DecimalText;
using e2e::HexText;
using e2e::IniLine;
using e2e::IniValue;
using e2e::LaunchOptions;
using e2e::ScreenImage;
using e2e::Tintwell;

// The keys in the order the program writes them.
std::vector<std::string> KeyOrder() {
    std::vector<std::string> keys = {"Current color", "Background color", "X", "Y", "Auto apply"};
    for (int i = 0; i < kPaletteCells; ++i)
        keys.push_back("Custom color " + std::to_string(i));
    keys.push_back("AvgFPS");
    return keys;
}

// Whether the file holds the sixteen keys of "General" in the order written.
::testing::AssertionResult SixteenKeysInOrder(const std::vector<IniLine>& lines) {
    const std::vector<std::string> keys = KeyOrder();
    if (lines.size() != keys.size())
        return ::testing::AssertionFailure() << lines.size() << " keys";
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].section != kIniSection || lines[i].key != keys[i])
            return ::testing::AssertionFailure()
                   << "line " << i << ": [" << lines[i].section << "] " << lines[i].key;
    return ::testing::AssertionSuccess();
}

// A settings file's text from key/value pairs, all in "General".
std::string IniText(const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text = "[General]\r\n";
    for (const auto& kv : values)
        text += kv.first + "=" + kv.second + "\r\n";
    return text;
}

LaunchOptions WithIni(const std::string& ini) {
    LaunchOptions options;
    options.ini = ini;
    return options;
}

// A colour and "Auto apply" off, the keys in the order the program writes
// them, so that the keys it adds keep that order.
std::string PreparedInOrder() {
    return IniText({{"Current color", "3430008"},
                    {"Background color", "16757435"},
                    {"X", "-1"},
                    {"Y", "-1"},
                    {"Auto apply", "0"}});
}

// Drags the window by its title bar by (dx, dy); true once it has followed.
bool DragTitleBar(const Tintwell& app, int dx, int dy) {
    const RECT before = app.WindowRect();
    POINT grip;
    if (!app.CaptionPoint(HTCAPTION, &grip)) return false;
    e2e::Drag(grip, POINT{grip.x + dx, grip.y + dy}, 10);
    const bool moved = e2e::WaitUntil(
        [&] {
            const RECT now = app.WindowRect();
            return now.left == before.left + dx && now.top == before.top + dy;
        },
        5000);
    return moved && app.Settle();
}

class Settings : public e2e::AppTest {
  protected:
    bool AutoApplyChecked() const {
        return SendMessageA(Child("Button", kAutoApply), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // A colour stored into palette cell 7, then another typed: the changes
    // of a run that must reach the file.
    void StoreThenType(COLORREF stored, COLORREF last) {
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(Type(HexText(stored)));
        app.ClickClient(Middle(PaletteCell(7)).x, Middle(PaletteCell(7)).y, e2e::Button::Right);
        ASSERT_TRUE(CellShows(7, stored));
        ASSERT_TRUE(Type(HexText(last)));
    }

    static POINT Middle(const RECT& r) { return e2e::Middle(r); }
};

TEST_F(Settings, PreparedFileIsShownAtStartAndWrittenBack) {
    const COLORREF current = RGB(0x78, 0x56, 0x34); // 3430008
    const COLORREF background = RGB(0x33, 0x66, 0x99);
    const COLORREF inverse = RGB(0xCC, 0x99, 0x66);
    // Distinct from the built-in palette and from each other at 16 bits too.
    const COLORREF palette[kPaletteCells] = {
        RGB(0x10, 0x20, 0x30), RGB(0xF0, 0x40, 0x80), RGB(0x40, 0xA0, 0x20), 0,
        RGB(0x90, 0x30, 0xC0), RGB(0x20, 0x80, 0x80), RGB(0xE0, 0xC0, 0x10), RGB(0x60, 0x60, 0xF0),
        RGB(0xA8, 0x58, 0x18), RGB(0x30, 0xD0, 0xB0),
    };
    std::vector<std::pair<std::string, std::string>> values = {
        {"Current color", "305419896"}, // 0x12345678: the top byte goes
        {"Background color", DecimalText(background)},
        {"X", "100"},
        {"Y", "120"},
        {"Auto apply", "-7"}, // anything but 0 is on
    };
    for (int i = 0; i < kPaletteCells; ++i)
        if (i != 3)
            values.push_back({"Custom color " + std::to_string(i), DecimalText(palette[i])});
    // The recent colours as a hand may have left them: no colour, a repeat,
    // a place missing, one beyond the places. And a key no one can press.
    const std::vector<std::pair<std::string, std::string>> recent = {
        {"Recent color 0", "33023"}, {"Recent color 1", "junk"},     {"Recent color 3", "255"},
        {"Recent color 4", "33023"}, {"Recent color 5", "16777216"}, {"Recent color 6", "-5"},
        {"Recent color 7", "65280"}, {"Recent color 8", "12abc"},    {"Recent color 20", "5"},
        {"Pick hotkey", "Ctrl+Esc"}};
    values.insert(values.end(), recent.begin(), recent.end());
    ASSERT_TRUE(Launch(WithIni(IniText(values))));

    EXPECT_EQ("785634", Text());
    EXPECT_TRUE(SwatchShows(current));
    EXPECT_TRUE(AutoApplyChecked());
    EXPECT_EQ(100, app.WindowRect().left);
    EXPECT_EQ(120, app.WindowRect().top);
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, i == 3 ? kBuiltInPalette[3] : palette[i])) << "cell " << i;

    const ScreenImage client(app.ToScreen(app.ClientRect()));
    for (const RECT& e : {RECT{57, 5, 80, 45}, RECT{232, 35, 245, 118}, RECT{277, 35, 283, 165}})
        EXPECT_EQ(Area(e), client.Count(app.ToScreen(e), background)) << "at " << e.left;
    // Inside the edit box's border: its background in the same colour, the
    // text in the inverse.
    const RECT inside = e2e::Inset(app.ToScreen(kEdit), 1);
    EXPECT_GE(client.Count(inside, background), Area(inside) / 2);
    EXPECT_GE(client.Count(inside, inverse), 10);
    EXPECT_EQ(0, client.Count(inside, 0x00FFFFFF)) << "the edit box kept a white background";

    // The colours read, in the file's order, offered by F4 in the edit box.
    ASSERT_TRUE(app.FocusBecomes(edit));
    e2e::KeyPress(VK_F4);
    EXPECT_TRUE(e2e::WaitUntil([] {
        return e2e::MenuShowsColourSquares({0x000080FF, 0x000000FF, 0x0000FF00});
    })) << "the recent colours read are not offered";
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitUntil([] { return e2e::VisibleMenu() == nullptr; }));

    const std::vector<IniLine> lines = CloseAndReadIni();
    // One key a colour, from place 0 on, and no other; the key's text back.
    EXPECT_EQ(20u, lines.size());
    EXPECT_EQ("33023", IniValue(lines, "Recent color 0"));
    EXPECT_EQ("255", IniValue(lines, "Recent color 1"));
    EXPECT_EQ("65280", IniValue(lines, "Recent color 2"));
    for (const char* gone : {"Recent color 3", "Recent color 5", "Recent color 7", "Recent color 8",
                             "Recent color 20"})
        EXPECT_EQ("<missing>", IniValue(lines, gone));
    EXPECT_EQ("Ctrl+Esc", IniValue(lines, "Pick hotkey"));
    EXPECT_EQ(DecimalText(current), IniValue(lines, "Current color"));
    EXPECT_EQ(DecimalText(background), IniValue(lines, "Background color"));
    EXPECT_EQ("100", IniValue(lines, "X"));
    EXPECT_EQ("120", IniValue(lines, "Y"));
    EXPECT_EQ("1", IniValue(lines, "Auto apply"));
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_EQ(DecimalText(i == 3 ? kBuiltInPalette[3] : palette[i]),
                  IniValue(lines, "Custom color " + std::to_string(i)))
            << "cell " << i;
}

// WM_QUERYENDSESSION, then WM_ENDSESSION with `ending`, as the system sends
// them; true when the program agreed and answered both.
bool EndSession(const Tintwell& run, bool ending, LPARAM reason = ENDSESSION_LOGOFF) {
    DWORD_PTR agreed = 0, answer = 0;
    return SendMessageTimeoutA(run.Window(), WM_QUERYENDSESSION, 0, reason, SMTO_ABORTIFHUNG, 5000,
                               &agreed) &&
           agreed == TRUE &&
           SendMessageTimeoutA(run.Window(), WM_ENDSESSION, ending, reason, SMTO_ABORTIFHUNG, 5000,
                               &answer);
}

// At sign-out the system ends the process once WM_ENDSESSION returns: what
// the user did is in the file by then, and the next run starts from it. A
// session end called off changes nothing. An installer's Restart Manager
// (ENDSESSION_CLOSEAPP) waits for the program to close itself, as it does.
TEST_F(Settings, ASessionEndSavesTheRunAndAnInstallersClosesTheProgram) {
    const COLORREF stored = RGB(0x1A, 0x2B, 0x3C);
    const COLORREF last = RGB(0x44, 0x55, 0x66);
    ASSERT_TRUE(Launch());
    ASSERT_NO_FATAL_FAILURE(StoreThenType(stored, last));
    ASSERT_TRUE(DragTitleBar(app, 40, -30)) << "the window did not follow the drag";
    ASSERT_TRUE(EndSession(app, false));
    EXPECT_FALSE(app.IniExists()) << "saved although the session goes on";
    ASSERT_TRUE(EndSession(app, true));
    ASSERT_TRUE(TerminateProcess(app.Process(), 1));
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    std::string first;
    ASSERT_TRUE(app.ReadIni(&first));
    const std::vector<IniLine> lines = e2e::ParseIni(first);
    EXPECT_EQ(DecimalText(last), IniValue(lines, "Current color"));
    EXPECT_EQ(DecimalText(stored), IniValue(lines, "Custom color 7"));
    EXPECT_EQ(std::to_string(kCentredOrigin.x + 40), IniValue(lines, "X"));
    EXPECT_EQ(std::to_string(kCentredOrigin.y - 30), IniValue(lines, "Y"));
    EXPECT_EQ("0", IniValue(lines, "AvgFPS")) << "no window was recoloured";

    Tintwell next;
    ASSERT_TRUE(next.Start(WithIni(first)));
    EXPECT_EQ(HexText(last), Tintwell::Text(next.ChildAt("Edit", kEdit)));
    const ScreenImage shown(next.ToScreen(next.ClientRect()));
    for (int i = 0; i < kPaletteCells; ++i) {
        const RECT cell = next.ToScreen(PaletteCell(i));
        EXPECT_EQ(Area(cell), shown.Count(cell, i == 7 ? stored : kBuiltInPalette[i]))
            << "cell " << i;
    }
    ASSERT_TRUE(EndSession(next, true));
    ASSERT_TRUE(next.Settle()) << "a sign-out's session end closed the program itself";
    ASSERT_TRUE(EndSession(next, true, ENDSESSION_CLOSEAPP));
    ASSERT_TRUE(next.WaitForExit(5000, &code)) << "still running after the installer's close";
    EXPECT_EQ(0u, code);
    const std::vector<IniLine> after = next.IniLines();
    EXPECT_TRUE(SixteenKeysInOrder(after));
    EXPECT_EQ(DecimalText(last), IniValue(after, "Current color"));
}

// Closes a run, expecting exit code 0, and checks the position the file keeps.
void ExpectClosedAt(Tintwell& run, int x, int y) {
    DWORD code = 1;
    ASSERT_TRUE(run.Close(8000, &code));
    EXPECT_EQ(0u, code);
    const std::vector<IniLine> lines = run.IniLines();
    EXPECT_EQ(std::to_string(x), IniValue(lines, "X"));
    EXPECT_EQ(std::to_string(y), IniValue(lines, "Y"));
}

// A window dragged saves where it went; one closed while minimised keeps the
// position it started at, as does one started minimised.
TEST(SettingsPosition, ADraggedWindowSavesItsPlaceUnlessClosedMinimised) {
    const struct {
        const char* name;
        const char* x; // nullptr: no key, the window is centred
        const char* y;
        int startX, startY;
        bool minimise;
        int savedX, savedY;
    } cases[] = {
        {"prepared, minimised", "200", "150", 200, 150, true, 200, 150},
        {"centred, minimised", nullptr, nullptr, kCentredOrigin.x, kCentredOrigin.y, true,
         kCentredOrigin.x, kCentredOrigin.y},
        {"prepared", "150", "100", 150, 100, false, 240, 170},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        LaunchOptions options;
        if (c.x) options.ini = IniText({{"X", c.x}, {"Y", c.y}});
        ASSERT_TRUE(run.Start(options));
        ASSERT_EQ(c.startX, run.WindowRect().left);
        ASSERT_EQ(c.startY, run.WindowRect().top);
        ASSERT_TRUE(DragTitleBar(run, 90, 70)) << "the window did not follow the drag";
        if (c.minimise) {
            POINT box;
            ASSERT_TRUE(run.CaptionPoint(HTMINBUTTON, &box));
            e2e::Click(box.x, box.y);
            ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(run.Window()) != 0; }, 5000));
        }
        ExpectClosedAt(run, c.savedX, c.savedY);
    }
}

// A position whose title bar no work area holds (saved on a monitor since
// unplugged, or above the screen) is centred as -1 is; one whose title bar a
// user can take hold of is kept, even with most of the window off the screen.
TEST(SettingsPosition, APositionWhoseTitleBarNobodyCanReachIsCentred) {
    const POINT centred = kCentredOrigin;
    const struct {
        const char* name;
        const char* x;
        const char* y;
        POINT start;
    } cases[] = {
        {"far right and below", "5000", "3000", centred},
        {"far left and above", "-4000", "-2500", centred},
        {"32-bit limits", "2147483647", "-2147483648", centred},
        {"32-bit limits swapped", "-2147483648", "2147483647", centred},
        {"the title bar above the screen", "100", "-199", centred},
        {"20 pixels of the title bar on the screen", "1001", "300", centred},
        {"partly left of the screen", "-100", "50", {-100, 50}},
        {"partly below the screen", "600", "700", {600, 700}},
        {"40 pixels of the title bar on the screen", "981", "300", {981, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        ASSERT_TRUE(run.Start(WithIni(IniText({{"X", c.x}, {"Y", c.y}}))));
        EXPECT_EQ(c.start.x, run.WindowRect().left);
        EXPECT_EQ(c.start.y, run.WindowRect().top);
        ExpectClosedAt(run, c.start.x, c.start.y);
    }
}

// The show command in the start-up information is followed; the command
// line is not read at all.
TEST_F(Settings, ShowMinNoActiveStartsMinimisedAndTheCommandLineIsIgnored) {
    LaunchOptions options;
    options.showCommand = WORD(SW_SHOWMINNOACTIVE);
    options.arguments = "/min -x 5 -y 5 other.ini \"Current color=255\" /?";
    ASSERT_TRUE(Launch(options));
    EXPECT_TRUE(IsIconic(app.Window()));
    EXPECT_EQ("FFFFFF", Text());
    EXPECT_TRUE(AutoApplyChecked());
    // Closed while still minimised: the centred start position is kept.
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_TRUE(SixteenKeysInOrder(lines));
    EXPECT_EQ("16777215", IniValue(lines, "Current color"));
    EXPECT_EQ(std::to_string(kCentredOrigin.x), IniValue(lines, "X"));
    EXPECT_EQ(std::to_string(kCentredOrigin.y), IniValue(lines, "Y"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((app.Directory() + "\\other.ini").c_str()));
}

TEST_F(Settings, ReadOnlyFileIsLeftUntouched) {
    const std::string prepared = IniText({{"Current color", "3430008"}, {"X", "120"}});
    ASSERT_TRUE(Launch(WithIni(prepared)));
    // Read once at start-up; made read-only before the exit writes it.
    ASSERT_TRUE(SetFileAttributesW(app.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    struct Writable {
        std::wstring path;
        ~Writable() { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); }
    } restore{app.IniPath()};
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(Type("123456"));
    CloseAndReadIni();
    std::string after;
    ASSERT_TRUE(app.ReadIni(&after));
    EXPECT_EQ(prepared, after);
}

// A start-up folder of `length` characters, in levels of at most `level`
// characters, inside the run's directory.
std::wstring DeepFolder(const Tintwell& run, size_t length, size_t level) {
    std::wstring folder;
    size_t left = length - run.StartFolder().size(); // each level with its backslash
    while (left > 0) {
        size_t n = std::min(level, left - 1);
        if (left - 1 - n == 1) --n; // no room would be left for a level after the backslash
        folder += (folder.empty() ? L"" : L"\\") + std::wstring(n, L'd');
        left -= n + 1;
    }
    return folder;
}

// The profile calls take paths of 259 characters at most; in a start-up folder
// of 257, the longest Wine starts a program in, the file's path has 276. The
// folder's short form reaches the file where it is shorter (long level names);
// where it is not (8.3 names) nothing is read or written. Either way no other
// file appears anywhere.
TEST(SettingsFolder, AStartUpFolderTooDeepForTheFileWritesNoOtherFile) {
    const struct {
        const char* name;
        size_t level;
        bool reached;
    } cases[] = {{"long names", 60, true}, {"8.3 names", 8, false}};
    wchar_t windows[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryW(windows, MAX_PATH));
    const std::vector<std::wstring> windowsBefore = e2e::FolderEntries(windows);
    const std::string prepared = PreparedInOrder();
    const std::wstring iniName(kIniName, kIniName + std::strlen(kIniName));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        LaunchOptions options = WithIni(prepared);
        options.folder = DeepFolder(run, 257, c.level);
        ASSERT_TRUE(run.Start(options));
        const std::wstring& folder = run.StartFolder();
        ASSERT_EQ(257u, folder.size());
        wchar_t shortForm[MAX_PATH];
        const DWORD n = GetShortPathNameW(folder.c_str(), shortForm, MAX_PATH);
        ASSERT_EQ(c.reached, n > 0 && n + 1 + iniName.size() < MAX_PATH)
            << "the short form has " << n;
        EXPECT_EQ(c.reached ? "785634" : "FFFFFF", Tintwell::Text(run.ChildAt("Edit", kEdit)));

        DWORD code = 1;
        ASSERT_TRUE(run.Close(8000, &code));
        EXPECT_EQ(0u, code);
        const size_t cut = folder.rfind(L'\\');
        EXPECT_EQ(std::vector<std::wstring>{iniName}, e2e::FolderEntries(folder));
        EXPECT_EQ(std::vector<std::wstring>{folder.substr(cut + 1)},
                  e2e::FolderEntries(folder.substr(0, cut)));
        if (c.reached) {
            const std::vector<IniLine> lines = run.IniLines();
            EXPECT_TRUE(SixteenKeysInOrder(lines));
            EXPECT_EQ("3430008", IniValue(lines, "Current color"));
            EXPECT_EQ("0", IniValue(lines, "Auto apply"));
            EXPECT_EQ(std::to_string(kCentredOrigin.x), IniValue(lines, "X"));
        } else {
            std::string after;
            ASSERT_TRUE(run.ReadIni(&after));
            EXPECT_EQ(prepared, after);
        }
    }
    EXPECT_EQ(windowsBefore, e2e::FolderEntries(windows));
}

// The ANSI calls spell such a name with '?' and never find the file.
TEST_F(Settings, AFolderNamedOutsideTheCodePageKeepsItsFile) {
    const COLORREF typed = RGB(0x2E, 0x8B, 0x57);
    LaunchOptions options = WithIni(PreparedInOrder());
    options.folder = L"Farben-\u0426\u0432\u0435\u0442-\u8272";
    ASSERT_TRUE(Launch(options));
    EXPECT_EQ("785634", Text());
    EXPECT_FALSE(AutoApplyChecked());
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(Type(HexText(typed)));
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_TRUE(SixteenKeysInOrder(lines));
    EXPECT_EQ(DecimalText(typed), IniValue(lines, "Current color"));
    EXPECT_EQ("0", IniValue(lines, "Auto apply"));
    EXPECT_EQ(DecimalText(kBuiltInPalette[9]), IniValue(lines, "Custom color 9"));
    std::string text;
    ASSERT_TRUE(app.ReadIni(&text));
    EXPECT_EQ(0u, text.find("[General]\r\n")) << "not single-byte text";
}

// A window of the driver's on the desktop whose thread has stopped taking
// messages, as a hung program's has.
class HungWindow {
  public:
    HungWindow() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        HANDLE shown = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, shown] {
            HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "hung", WS_POPUP | SS_BLACKRECT,
                                     20, 20, 120, 60, nullptr, nullptr, nullptr, nullptr);
            ShowWindow(w, SW_SHOWNOACTIVATE);
            UpdateWindow(w);
            window_ = w;
            SetEvent(shown);
            WaitForSingleObject(release_, INFINITE);
            DestroyWindow(w);
        });
        WaitForSingleObject(shown, 10000);
        CloseHandle(shown);
    }
    ~HungWindow() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(release_);
    }
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;
    bool Shown() const { return window_ && IsWindowVisible(window_); }

  private:
    HANDLE release_;
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

// With no target chosen there is nothing to give its colours back: neither
// turning "Auto apply" off nor closing waits on another program's window.
TEST_F(Settings, WithoutATargetNoOtherWindowIsWaitedOn) {
    ASSERT_TRUE(Launch());
    HungWindow hung;
    ASSERT_TRUE(hung.Shown());
    app.ClickClient(kAutoApply.left + 8, (kAutoApply.top + kAutoApply.bottom) / 2);
    const HWND box = Child("Button", kAutoApply);
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            DWORD_PTR state = BST_CHECKED;
            return SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 200, &state) &&
                   state == BST_UNCHECKED;
        },
        2000))
        << "the check box did not turn";
    // A thread waiting on another answers sent messages all the same; what
    // shows it is stuck is that its own windows wait to be painted.
    EXPECT_TRUE(app.Settle(1000)) << "still busy after \"Auto apply\" was turned off";
    DWORD code = 1;
    ASSERT_TRUE(app.Close(2000, &code)) << "no exit within 2 s";
    EXPECT_EQ(0u, code);
    EXPECT_EQ("0", IniValue(app.IniLines(), "Auto apply"));
}

} // namespace

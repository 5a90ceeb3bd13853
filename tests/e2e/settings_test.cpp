// The settings file as a user meets it: what a missing file gives, what a
// prepared file changes on screen, what survives a restart, and how start-up
// and shutdown treat the window's position (one no monitor shows too), the
// show command, the command line, a read-only file, a very deep start-up
// directory, a folder named outside the code page, the end of the session
// and a hung window elsewhere on the desktop.
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
using e2e::LaunchOptions;
using e2e::Middle;
using e2e::ScreenImage;
using e2e::Tintwell;

const char* const kPaletteKeys[kPaletteCells] = {
    "Custom color 0", "Custom color 1", "Custom color 2", "Custom color 3", "Custom color 4",
    "Custom color 5", "Custom color 6", "Custom color 7", "Custom color 8", "Custom color 9",
};

// The keys in the order the program writes them.
std::vector<std::string> KeyOrder() {
    std::vector<std::string> keys = {"Current color", "Background color", "X", "Y", "Auto apply"};
    for (const char* key : kPaletteKeys)
        keys.push_back(key);
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

// The value of a key of "General", or "<missing>".
std::string Value(const std::vector<IniLine>& lines, const std::string& key) {
    for (const IniLine& line : lines)
        if (line.section == kIniSection && line.key == key) return line.value;
    return "<missing>";
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

// The screen point of a caption button of `window`, found by hit testing
// along the middle of the title bar.
bool CaptionPoint(HWND window, LRESULT wanted, POINT* point) {
    RECT r;
    GetWindowRect(window, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = r.left + 1; x < r.right; ++x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 1000,
                            &hit);
        if (LRESULT(hit) == wanted) {
            if (first < 0) first = x;
            last = x;
        } else if (first >= 0) {
            break;
        }
    }
    if (first < 0) return false;
    *point = POINT{(first + last) / 2, y};
    return true;
}

// Drags the window by its title bar by (dx, dy); true once it has followed.
bool DragTitleBar(const Tintwell& app, int dx, int dy) {
    const RECT before = app.WindowRect();
    POINT grip;
    if (!CaptionPoint(app.Window(), HTCAPTION, &grip)) return false;
    e2e::Drag(grip, POINT{grip.x + dx, grip.y + dy}, 10);
    const bool moved = e2e::WaitUntil(
        [&] {
            const RECT now = app.WindowRect();
            return now.left == before.left + dx && now.top == before.top + dy;
        },
        5000);
    return moved && app.Settle();
}

// Clicks the title bar's minimise box; true once the window is minimised.
bool MinimiseWithTheMouse(const Tintwell& app) {
    POINT box;
    if (!CaptionPoint(app.Window(), HTMINBUTTON, &box)) return false;
    e2e::Click(box.x, box.y);
    return e2e::WaitUntil([&] { return IsIconic(app.Window()) != 0; }, 5000);
}

class Settings : public ::testing::Test {
  protected:
    bool Launch(const LaunchOptions& options = {}) {
        if (!app.Start(options)) return false;
        edit = app.ChildAt("Edit", kEdit);
        autoApplyBox = app.ChildAt("Button", kAutoApply);
        return edit && autoApplyBox;
    }

    bool AutoApplyChecked() const {
        return SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // Whether the whole of a palette cell shows `colour`.
    bool CellShows(int cell, COLORREF colour) const {
        const RECT r = app.ToScreen(PaletteCell(cell));
        return ScreenImage(r).Count(r, colour) == Area(r);
    }

    // The inside of the swatch, within its black frame.
    bool SwatchShows(COLORREF colour) const {
        RECT r = app.ToScreen(kSwatch);
        InflateRect(&r, -1, -1);
        return ScreenImage(r).Count(r, colour) == Area(r);
    }

    // Types a colour into the edit box as the user would.
    void TypeColour(COLORREF colour) {
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(e2e::WaitUntil([&] { return app.Focus() == edit; }, 3000));
        e2e::SelectAllText();
        e2e::TypeText(HexText(colour));
        ASSERT_TRUE(e2e::WaitUntil([&] { return Tintwell::Text(edit) == HexText(colour); }, 5000))
            << "the edit box shows " << Tintwell::Text(edit);
        ASSERT_TRUE(e2e::WaitUntil([&] { return SwatchShows(colour); }, 5000));
    }

    // Stores the Current colour into a cell with a right click.
    void StoreIntoCell(int cell, COLORREF colour) {
        const POINT p = Middle((PaletteCell(cell)));
        app.ClickClient(p.x, p.y, e2e::Button::Right);
        ASSERT_TRUE(e2e::WaitUntil([&] { return CellShows(cell, colour); }, 5000));
    }

    // A colour stored into palette cell 7, then another typed: the changes
    // of a run that must reach the file.
    void StoreThenType(COLORREF stored, COLORREF last) {
        ASSERT_NO_FATAL_FAILURE(TypeColour(stored));
        ASSERT_NO_FATAL_FAILURE(StoreIntoCell(7, stored));
        ASSERT_NO_FATAL_FAILURE(TypeColour(last));
    }

    // Closes the program, expecting exit code 0, and returns the file's lines.
    std::vector<IniLine> CloseAndReadIni() {
        DWORD code = 1;
        EXPECT_TRUE(app.Close(8000, &code)) << "Tintwell did not exit";
        EXPECT_EQ(0u, code);
        return app.IniLines();
    }

    Tintwell app;
    HWND edit = nullptr;
    HWND autoApplyBox = nullptr;
};

TEST_F(Settings, NoFileGivesTheDefaultsAndExitWritesThemInOrder) {
    ASSERT_TRUE(Launch());
    EXPECT_FALSE(app.IniExists()) << "the file is only written at exit";
    EXPECT_EQ("FFFFFF", Tintwell::Text(edit));
    EXPECT_TRUE(SwatchShows(0x00FFFFFF));
    EXPECT_TRUE(AutoApplyChecked());
    EXPECT_FALSE(IsIconic(app.Window()));
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, kBuiltInPalette[i])) << "cell " << i;
    const RECT r = app.WindowRect();
    EXPECT_EQ(kCentredOrigin.x, r.left);
    EXPECT_EQ(kCentredOrigin.y, r.top);

    const std::vector<IniLine> lines = CloseAndReadIni();
    const char* const values[] = {
        "16777215", "16757435", "347",      "269",      "1",       "255",     "65280", "16711680",
        "65535",    "16777215", "16711935", "16776960", "8388608", "8421504", "0",     "0"};
    ASSERT_TRUE(SixteenKeysInOrder(lines));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(values[i], lines[i].value) << "line " << i;
    std::string text;
    ASSERT_TRUE(app.ReadIni(&text));
    EXPECT_EQ(0u, text.find("[General]\r\n")) << "not single-byte text";
}

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
        {"Current color", DecimalText(current)},
        {"Background color", DecimalText(background)},
        {"X", "100"},
        {"Y", "120"},
        {"Auto apply", "5"},
    };
    for (int i = 0; i < kPaletteCells; ++i)
        if (i != 3) values.push_back({kPaletteKeys[i], DecimalText(palette[i])});
    ASSERT_TRUE(Launch(LaunchOptions{IniText(values), {}, "", true}));

    EXPECT_EQ("785634", Tintwell::Text(edit));
    EXPECT_TRUE(SwatchShows(current));
    EXPECT_TRUE(AutoApplyChecked());
    const RECT r = app.WindowRect();
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(120, r.top);
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, i == 3 ? kBuiltInPalette[3] : palette[i])) << "cell " << i;

    const ScreenImage client(app.ToScreen(app.ClientRect()));
    const RECT empty[] = {{57, 5, 80, 45}, {232, 35, 245, 118}, {277, 35, 283, 165}};
    for (const RECT& e : empty)
        EXPECT_EQ(Area(e), client.Count(app.ToScreen(e), background))
            << "background at " << e.left << "," << e.top;
    // Inside the edit box's border: its background in the same colour, the
    // text in the inverse.
    RECT inside = app.ToScreen(kEdit);
    InflateRect(&inside, -1, -1);
    EXPECT_GE(client.Count(inside, background), Area(inside) / 2);
    EXPECT_GE(client.Count(inside, inverse), 10);
    EXPECT_EQ(0, client.Count(inside, 0x00FFFFFF)) << "the edit box kept a white background";

    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_EQ(DecimalText(current), Value(lines, "Current color"));
    EXPECT_EQ(DecimalText(background), Value(lines, "Background color"));
    EXPECT_EQ("100", Value(lines, "X"));
    EXPECT_EQ("120", Value(lines, "Y"));
    EXPECT_EQ("1", Value(lines, "Auto apply"));
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_EQ(DecimalText(i == 3 ? kBuiltInPalette[3] : palette[i]),
                  Value(lines, kPaletteKeys[i]))
            << "cell " << i;
}

struct StartValueCase {
    const char* currentColor; // the file's text
    const char* autoApply;
    const char* shownText;
    bool checked;
    const char* writtenColor;
    const char* writtenAutoApply;
};

TEST_F(Settings, CurrentColourAndAutoApplyAreReadAsTheyStand) {
    const StartValueCase cases[] = {
        {"3430008", "0", "785634", false, "3430008", "0"},
        {"255", "1", "FF0000", true, "255", "1"},
        {"305419896", "-7", "785634", true, "3430008", "1"}, // 0x12345678: the top byte goes
        {"0", "5", "000000", true, "0", "1"},
    };
    for (const StartValueCase& c : cases) {
        SCOPED_TRACE(std::string("Current color=") + c.currentColor +
                     ", Auto apply=" + c.autoApply);
        Tintwell run;
        ASSERT_TRUE(run.Start(
            LaunchOptions{IniText({{"Current color", c.currentColor}, {"Auto apply", c.autoApply}}),
                          {},
                          "",
                          true}));
        HWND shownEdit = run.ChildAt("Edit", kEdit);
        HWND box = run.ChildAt("Button", kAutoApply);
        ASSERT_NE(nullptr, shownEdit);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(c.shownText, Tintwell::Text(shownEdit));
        EXPECT_EQ(c.checked ? BST_CHECKED : BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
        DWORD code = 1;
        ASSERT_TRUE(run.Close(8000, &code));
        EXPECT_EQ(0u, code);
        const std::vector<IniLine> lines = run.IniLines();
        EXPECT_EQ(c.writtenColor, Value(lines, "Current color"));
        EXPECT_EQ(c.writtenAutoApply, Value(lines, "Auto apply"));
        EXPECT_EQ("0", Value(lines, "AvgFPS"));
    }
}

TEST_F(Settings, ChangedPaletteAndColourSurviveARestart) {
    const COLORREF stored = RGB(0x1A, 0x2B, 0x3C);
    const COLORREF last = RGB(0x44, 0x55, 0x66);
    ASSERT_TRUE(Launch());
    ASSERT_NO_FATAL_FAILURE(StoreThenType(stored, last));
    EXPECT_FALSE(app.IniExists()) << "the file is only written at exit";
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_EQ(DecimalText(last), Value(lines, "Current color"));
    EXPECT_EQ(DecimalText(stored), Value(lines, "Custom color 7"));
    EXPECT_EQ("0", Value(lines, "AvgFPS")) << "no window was recoloured";
    std::string first;
    ASSERT_TRUE(app.ReadIni(&first));

    Tintwell second;
    ASSERT_TRUE(second.Start(LaunchOptions{first, {}, "", true}));
    HWND secondEdit = second.ChildAt("Edit", kEdit);
    ASSERT_NE(nullptr, secondEdit);
    EXPECT_EQ(HexText(last), Tintwell::Text(secondEdit));
    const ScreenImage client(second.ToScreen(second.ClientRect()));
    for (int i = 0; i < kPaletteCells; ++i) {
        const RECT cell = second.ToScreen(PaletteCell(i));
        EXPECT_EQ(Area(cell), client.Count(cell, i == 7 ? stored : kBuiltInPalette[i]))
            << "cell " << i;
    }
}

struct PositionCase {
    const char* name;
    const char* x; // nullptr: no key, the window is centred
    const char* y;
    int startX, startY;
};

// Closes a run, expecting exit code 0, and checks the position the file keeps.
void ExpectClosedAt(Tintwell& run, int x, int y) {
    DWORD code = 1;
    ASSERT_TRUE(run.Close(8000, &code));
    EXPECT_EQ(0u, code);
    const std::vector<IniLine> lines = run.IniLines();
    EXPECT_EQ(std::to_string(x), Value(lines, "X"));
    EXPECT_EQ(std::to_string(y), Value(lines, "Y"));
}

TEST_F(Settings, ClosingWhileMinimisedKeepsTheStartPosition) {
    const PositionCase cases[] = {
        {"prepared", "200", "150", 200, 150},
        {"centred", nullptr, nullptr, kCentredOrigin.x, kCentredOrigin.y},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        LaunchOptions options;
        if (c.x) options.ini = IniText({{"X", c.x}, {"Y", c.y}});
        ASSERT_TRUE(run.Start(options));
        ASSERT_EQ(c.startX, run.WindowRect().left);
        ASSERT_EQ(c.startY, run.WindowRect().top);
        ASSERT_TRUE(DragTitleBar(run, 90, 70)) << "the window did not follow the drag";
        ASSERT_TRUE(MinimiseWithTheMouse(run));
        ExpectClosedAt(run, c.startX, c.startY);
    }
}

// A position no monitor shows, as one saved on a monitor since unplugged,
// is centred as -1 is; one that any monitor shows, even in part, is kept.
TEST_F(Settings, APositionNoMonitorShowsIsCentredAndOthersAreKept) {
    const PositionCase cases[] = {
        {"far right and below", "5000", "3000", kCentredOrigin.x, kCentredOrigin.y},
        {"far left and above", "-4000", "-2500", kCentredOrigin.x, kCentredOrigin.y},
        {"32-bit limits", "2147483647", "-2147483648", kCentredOrigin.x, kCentredOrigin.y},
        {"32-bit limits swapped", "-2147483648", "2147483647", kCentredOrigin.x, kCentredOrigin.y},
        {"partly left of the screen", "-100", "50", -100, 50},
        {"partly below the screen", "600", "700", 600, 700},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        ASSERT_TRUE(run.Start(LaunchOptions{IniText({{"X", c.x}, {"Y", c.y}}), {}, "", true}));
        EXPECT_EQ(c.startX, run.WindowRect().left);
        EXPECT_EQ(c.startY, run.WindowRect().top);
        ExpectClosedAt(run, c.startX, c.startY);
    }
}

TEST_F(Settings, MovedWindowSavesItsNewPosition) {
    ASSERT_TRUE(Launch(LaunchOptions{IniText({{"X", "150"}, {"Y", "100"}}), {}, "", true}));
    ASSERT_TRUE(DragTitleBar(app, -60, 110)) << "the window did not follow the drag";
    const RECT moved = app.WindowRect();
    ASSERT_EQ(90, moved.left);
    ASSERT_EQ(210, moved.top);
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_EQ("90", Value(lines, "X"));
    EXPECT_EQ("210", Value(lines, "Y"));
}

TEST_F(Settings, ShowMinNoActiveStartsMinimised) {
    ASSERT_TRUE(Launch(LaunchOptions{{}, WORD(SW_SHOWMINNOACTIVE), "", true}));
    EXPECT_TRUE(IsIconic(app.Window()));
    // Closed while still minimised: the centred start position is kept.
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_EQ(std::to_string(kCentredOrigin.x), Value(lines, "X"));
    EXPECT_EQ(std::to_string(kCentredOrigin.y), Value(lines, "Y"));
}

TEST_F(Settings, CommandLineArgumentsHaveNoEffect) {
    ASSERT_TRUE(
        Launch(LaunchOptions{{}, {}, "/min -x 5 -y 5 other.ini \"Current color=255\" /?", true}));
    EXPECT_FALSE(IsIconic(app.Window()));
    EXPECT_EQ("FFFFFF", Tintwell::Text(edit));
    EXPECT_TRUE(AutoApplyChecked());
    const RECT r = app.WindowRect();
    EXPECT_EQ(kCentredOrigin.x, r.left);
    EXPECT_EQ(kCentredOrigin.y, r.top);
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_EQ(KeyOrder().size(), lines.size());
    EXPECT_EQ("16777215", Value(lines, "Current color"));
    EXPECT_EQ(std::to_string(kCentredOrigin.x), Value(lines, "X"));
    EXPECT_EQ(std::to_string(kCentredOrigin.y), Value(lines, "Y"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((app.Directory() + "\\other.ini").c_str()));
}

TEST_F(Settings, ReadOnlyFileIsLeftUntouched) {
    const std::string prepared = IniText({{"Current color", "3430008"}, {"X", "120"}});
    ASSERT_TRUE(Launch(LaunchOptions{prepared, {}, "", true}));
    // Read once at start-up; made read-only before the exit writes it.
    ASSERT_TRUE(SetFileAttributesW(app.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    struct Writable {
        std::wstring path;
        ~Writable() { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); }
    } restore{app.IniPath()};
    ASSERT_NO_FATAL_FAILURE(TypeColour(RGB(0x12, 0x34, 0x56)));
    DWORD code = 1;
    ASSERT_TRUE(app.Close(8000, &code));
    EXPECT_EQ(0u, code);
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
TEST_F(Settings, AStartUpFolderTooDeepForTheFileWritesNoOtherFile) {
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
        LaunchOptions options;
        options.folder = DeepFolder(run, 257, c.level);
        options.ini = prepared;
        ASSERT_TRUE(run.Start(options));
        const std::wstring& folder = run.StartFolder();
        ASSERT_EQ(257u, folder.size());
        wchar_t shortForm[MAX_PATH];
        const DWORD n = GetShortPathNameW(folder.c_str(), shortForm, MAX_PATH);
        ASSERT_EQ(c.reached, n > 0 && n + 1 + iniName.size() < MAX_PATH)
            << "the short form has " << n;
        HWND shownEdit = run.ChildAt("Edit", kEdit);
        ASSERT_NE(nullptr, shownEdit);
        EXPECT_EQ(c.reached ? "785634" : "FFFFFF", Tintwell::Text(shownEdit));

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
            EXPECT_EQ("3430008", Value(lines, "Current color"));
            EXPECT_EQ("0", Value(lines, "Auto apply"));
            EXPECT_EQ(std::to_string(kCentredOrigin.x), Value(lines, "X"));
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
    LaunchOptions options;
    options.folder = L"Farben-\u0426\u0432\u0435\u0442-\u8272";
    options.ini = PreparedInOrder();
    ASSERT_TRUE(Launch(options));
    EXPECT_EQ("785634", Tintwell::Text(edit));
    EXPECT_FALSE(AutoApplyChecked());
    ASSERT_NO_FATAL_FAILURE(TypeColour(typed));
    const std::vector<IniLine> lines = CloseAndReadIni();
    EXPECT_TRUE(SixteenKeysInOrder(lines));
    EXPECT_EQ(DecimalText(typed), Value(lines, "Current color"));
    EXPECT_EQ("0", Value(lines, "Auto apply"));
    EXPECT_EQ(DecimalText(kBuiltInPalette[9]), Value(lines, "Custom color 9"));
    std::string text;
    ASSERT_TRUE(app.ReadIni(&text));
    EXPECT_EQ(0u, text.find("[General]\r\n")) << "not single-byte text";
}

// WM_QUERYENDSESSION, then WM_ENDSESSION with `ending`, as the system sends
// them at sign-out; true when the program agreed and answered both.
bool EndSession(const Tintwell& run, bool ending) {
    DWORD_PTR agreed = 0, answer = 0;
    return SendMessageTimeoutA(run.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                               SMTO_ABORTIFHUNG, 5000, &agreed) &&
           agreed == TRUE &&
           SendMessageTimeoutA(run.Window(), WM_ENDSESSION, ending, ENDSESSION_LOGOFF,
                               SMTO_ABORTIFHUNG, 5000, &answer);
}

// The system ends the process once WM_ENDSESSION returns: what the user did is
// in the file by then. A session end called off changes nothing, and a later
// exit still ends cleanly.
TEST_F(Settings, SessionEndSavesBeforeTheSystemEndsTheProcess) {
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
    const std::vector<IniLine> lines = app.IniLines();
    EXPECT_EQ(DecimalText(last), Value(lines, "Current color"));
    EXPECT_EQ(DecimalText(stored), Value(lines, "Custom color 7"));
    EXPECT_EQ(std::to_string(kCentredOrigin.x + 40), Value(lines, "X"));
    EXPECT_EQ(std::to_string(kCentredOrigin.y - 30), Value(lines, "Y"));

    Tintwell survivor;
    ASSERT_TRUE(survivor.Start());
    ASSERT_TRUE(EndSession(survivor, true));
    ASSERT_TRUE(survivor.Close(8000, &code)) << "no exit after the session end";
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(SixteenKeysInOrder(survivor.IniLines()));
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
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            DWORD_PTR state = BST_CHECKED;
            return SendMessageTimeoutA(autoApplyBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 200,
                                       &state) &&
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
    EXPECT_EQ("0", Value(app.IniLines(), "Auto apply"));
}

} // namespace

// Mixing the colour with the four bars, as a user does it: presses, drags,
// keys and held page presses, read back from the hexadecimal text, the swatch
// and the bars' thumbs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::ColourOfHex;
using e2e::HexText;
using e2e::ScreenImage;
using e2e::Tintwell;

// The value a pointer at bar-client x gives, truncating toward zero.
int ValueAt(int x, int maximum) {
    int v = (x - kTrackLeft) * maximum / kTrackWidth;
    return v < 0 ? 0 : v > maximum ? maximum : v;
}
// Where a value's thumb is drawn on a 0..255 bar.
int ThumbX(int value) {
    return kTrackLeft + value * kTrackWidth / 255;
}

int Clamp255(int v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// The colour a brightness value gives from a snapshot taken with the bar at
// `base`: one common shift, scaled so the top reaches white, the bottom black.
std::string BrightnessText(int red, int green, int blue, int base, int v) {
    const int hi = std::max({red, green, blue});
    const int lo = std::min({red, green, blue});
    int f = 0;
    if (v > base) f = (v - base) * (255 - lo) / (765 - base);
    if (v < base) f = (v - base) * hi / base;
    return HexText(RGB(Clamp255(red + f), Clamp255(green + f), Clamp255(blue + f)));
}

// One byte of the packed text: 0 red, 1 green, 2 blue; -1 when unreadable.
int ByteOf(const std::string& text, int index) {
    if (text.size() != 6) return -1;
    return static_cast<int>(std::strtol(text.substr(index * 2, 2).c_str(), nullptr, 16));
}

class Mixing : public e2e::AppTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Launch()) << "Tintwell did not show its main window";
        ASSERT_TRUE(app.Activate());
        ASSERT_EQ("FFFFFF", Text());
    }

    // A screen point given in a bar's client coordinates.
    POINT BarPoint(const RECT& bar, int x, int y = kBarMiddleY) const {
        return app.ToScreen(bar.left + kBarEdge + x, bar.top + kBarEdge + y);
    }

    // Moves a drag to bar-client x.
    void DragTo(const RECT& bar, int x) {
        ASSERT_TRUE(e2e::MouseMove(BarPoint(bar, x).x, BarPoint(bar, x).y));
    }
    // A press that begins a drag: the bar takes the mouse capture.
    void Press(const RECT& bar, int x) {
        const POINT p = BarPoint(bar, x);
        e2e::MouseDown(p.x, p.y);
        ASSERT_TRUE(e2e::WaitUntil([&] { return app.Capture() == Child("zPositionBar", bar); }))
            << "the bar did not take the press";
    }

    void ClickBar(const RECT& bar, int x) {
        const POINT p = BarPoint(bar, x);
        e2e::Click(p.x, p.y);
    }
};

struct KeyStep {
    WORD key;
    const char* name;
    int expected; // the bar's value after the key
};

// Left/Right step by one, Page Up/Down by 32, Home/End jump to the bounds,
// Up/Down do nothing; every result is clamped to 0..255. A key that must do
// nothing is followed by one that does, which would show any stray change.
const KeyStep kKeySteps[] = {
    {VK_RIGHT, "Right", 0x80}, {VK_LEFT, "Left", 0x7F},   {VK_LEFT, "Left", 0x7E},
    {VK_UP, "Up", 0x7E},       {VK_RIGHT, "Right", 0x7F}, {VK_DOWN, "Down", 0x7F},
    {VK_LEFT, "Left", 0x7E},   {VK_PRIOR, "PgUp", 0x9E},  {VK_NEXT, "PgDn", 0x7E},
    {VK_NEXT, "PgDn", 0x5E},   {VK_HOME, "Home", 0x00},   {VK_LEFT, "Left", 0x00},
    {VK_NEXT, "PgDn", 0x00},   {VK_RIGHT, "Right", 0x01}, {VK_PRIOR, "PgUp", 0x21},
    {VK_END, "End", 0xFF},     {VK_RIGHT, "Right", 0xFF}, {VK_PRIOR, "PgUp", 0xFF},
    {VK_NEXT, "PgDn", 0xDF},   {VK_LEFT, "Left", 0xDE},
};

TEST_F(Mixing, AClickOnTheRedTrackSetsTheRedByteAndKeysStepIt) {
    ClickBar(kRedBar, 73); // focuses the bar and sets 127
    ASSERT_TRUE(TextBecomes("7FFFFF"));
    ASSERT_TRUE(app.FocusBecomes(Child("zPositionBar", kRedBar)));
    for (const KeyStep& step : kKeySteps) {
        SCOPED_TRACE(step.name);
        e2e::KeyPress(step.key);
        ASSERT_TRUE(TextBecomes(HexText(RGB(step.expected, 0xFF, 0xFF))));
    }
}

// Brown 100, 50, 0 with the bar at their sum 150. The pointer reaches only
// every 6.375th value; at 210, 765 and 0 the results are known by hand. Every
// position is checked against the shift computed from the snapshot taken when
// the press began the drag.
TEST_F(Mixing, BrightnessDragMapsEveryPositionFromTheStartColour) {
    ASSERT_TRUE(Type("643200"));
    const POINT start = BarPoint(kBrightnessBar, 36); // the thumb of 150
    const int startValue = ValueAt(36, 765);          // 146: not quite 150
    ASSERT_NO_FATAL_FAILURE(Press(kBrightnessBar, 36));
    const std::string pressed = BrightnessText(100, 50, 0, 150, startValue);
    EXPECT_TRUE(TextBecomes(pressed));

    struct Stop {
        int x;              // bar-client x
        const char* rowHex; // known result at the reachable values 210, 765, 0
    };
    const Stop stops[] = {
        {46, "7C4A18"},  // 210
        {60, nullptr},   // 299, lighter
        {133, "FFFFFF"}, // 765
        {150, "FFFFFF"}, // past the track: still 765
        {100, nullptr},  // 554
        {36, nullptr},   // back where the press was
        {27, "3C0A00"},  // 89: red -40 like the example's 90
        {20, nullptr},   // 44, darker; green clamps at 0
        {13, "000000"},  // 0
        {-20, "000000"}, // left of the bar under the capture
        {40, nullptr},   // 172
        {36, nullptr},   // back again
    };
    std::string previous = pressed;
    int previousValue = startValue;
    for (const Stop& stop : stops) {
        SCOPED_TRACE("bar-client x " + std::to_string(stop.x));
        const int value = ValueAt(stop.x, 765);
        const std::string expected = BrightnessText(100, 50, 0, 150, value);
        if (stop.rowHex) {
            ASSERT_EQ(stop.rowHex, expected) << "the test's own formula";
        }
        ASSERT_NO_FATAL_FAILURE(DragTo(kBrightnessBar, stop.x));
        ASSERT_TRUE(TextBecomes(expected));
        // Up lightens, down darkens, every component alike.
        const std::string now = Text();
        for (int i = 0; i < 3; ++i) {
            if (value > previousValue) {
                EXPECT_GE(ByteOf(now, i), ByteOf(previous, i));
            } else if (value < previousValue) {
                EXPECT_LE(ByteOf(now, i), ByteOf(previous, i));
            }
        }
        previous = now;
        previousValue = value;
    }
    EXPECT_EQ(pressed, Text()) << "back at the press position the colour is the pressed one";
    e2e::MouseUp(start.x, start.y);
    EXPECT_TRUE(TextBecomes(pressed));
}

// A start colour whose sum the pointer reaches exactly: pressing there
// changes nothing, and coming back after white and black restores it exactly.
TEST_F(Mixing, BrightnessDragBackToItsStartGivesTheStartColour) {
    // 100 + 60 + 50 = 210, reached at bar-client x 46.
    ASSERT_TRUE(Type("643C32"));
    ASSERT_EQ(210, ValueAt(46, 765));
    const POINT start = BarPoint(kBrightnessBar, 46);
    ASSERT_NO_FATAL_FAILURE(Press(kBrightnessBar, 46));
    const int xs[] = {133, 90, 13, 30, 46};
    for (int x : xs) {
        SCOPED_TRACE("bar-client x " + std::to_string(x));
        ASSERT_NO_FATAL_FAILURE(DragTo(kBrightnessBar, x));
        ASSERT_TRUE(TextBecomes(BrightnessText(100, 60, 50, 210, ValueAt(x, 765))));
    }
    EXPECT_EQ("643C32", Text());
    e2e::MouseUp(start.x, start.y);
    EXPECT_TRUE(TextBecomes("643C32"));
    EXPECT_TRUE(SwatchShows(RGB(0x64, 0x3C, 0x32)));
}

// Esc puts the value back from before the press, then goes on to the main
// window, which closes; the colour saved at exit is the restored one.
TEST_F(Mixing, EscDuringADragRestoresTheValueAndCloses) {
    ClickBar(kRedBar, 73);
    ASSERT_TRUE(TextBecomes("7FFFFF"));
    const POINT p = BarPoint(kRedBar, 100);
    ASSERT_NO_FATAL_FAILURE(Press(kRedBar, 100));
    ASSERT_TRUE(TextBecomes(HexText(RGB(ValueAt(100, 255), 0xFF, 0xFF)))); // B8FFFF
    e2e::KeyPress(VK_ESCAPE);
    DWORD code = 1;
    const bool exited = app.WaitForExit(5000, &code);
    e2e::MouseUp(p.x, p.y);
    ASSERT_TRUE(exited) << "Esc on the bar did not close the program";
    EXPECT_EQ(0u, code);
    std::string saved;
    for (const e2e::IniLine& line : app.IniLines())
        if (line.key == "Current color") saved = line.value;
    EXPECT_EQ(std::to_string(RGB(0x7F, 0xFF, 0xFF)), saved);
}

// A press of the other button during a drag leaves the mouse with the bar
// only until both are let go: a click on the palette then takes its colour.
TEST_F(Mixing, OtherButtonDuringADragLeavesNoCaptureBehind) {
    ASSERT_NO_FATAL_FAILURE(Press(kRedBar, 73));
    e2e::MouseDownHere(e2e::Button::Right);
    e2e::MouseUpHere(e2e::Button::Left);
    e2e::MouseUpHere(e2e::Button::Right);
    const POINT cell = e2e::Middle(app.ToScreen(PaletteCell(2)));
    e2e::Click(cell.x, cell.y);
    EXPECT_TRUE(TextBecomes("0000FF"));
}

// A press beside the track pages once, then after a pause walks one step at
// a time while held, until a left-button release over the bar stops it.
TEST_F(Mixing, HeldPagePressRepeatsInSingleSteps) {
    struct Side {
        const char* name;
        int x;         // bar-client x beside the track
        int direction; // -1 left of the track, +1 right of it
    };
    const Side sides[] = {{"left", 5, -1}, {"right", 140, +1}};
    for (const Side& side : sides) {
        SCOPED_TRACE(side.name);
        ClickBar(kRedBar, 73);
        ASSERT_TRUE(TextBecomes("7FFFFF"));
        const POINT p = BarPoint(kRedBar, side.x);
        e2e::MouseDown(p.x, p.y); // beside the track: no capture, a page step
        const int paged = 0x7F + 3 * side.direction;
        ASSERT_TRUE(e2e::WaitUntil([&] { return ByteOf(Text(), 0) == paged; }))
            << "first the page step; text " << Text();

        std::vector<int> seen{paged};
        const bool walked = e2e::WaitUntil(
            [&] {
                const int now = ByteOf(Text(), 0);
                if (now != seen.back()) seen.push_back(now);
                return (now - paged) * side.direction >= 10;
            },
            8000);
        e2e::MouseUp(p.x, p.y);
        ASSERT_TRUE(walked) << "the value stopped at " << seen.back();

        // Every observed change goes the page's way; most are single steps
        // (a poll can miss one now and then), none as big as a page.
        int singles = 0;
        for (size_t i = 1; i < seen.size(); ++i) {
            const int step = (seen[i] - seen[i - 1]) * side.direction;
            EXPECT_GE(step, 1) << "at change " << i;
            EXPECT_LE(step, 2) << "at change " << i;
            if (step == 1) ++singles;
        }
        EXPECT_GE(singles * 2, static_cast<int>(seen.size() - 1));

        // The release over the bar ended the repeat.
        ASSERT_TRUE(app.Settle());
        const std::string stopped = Text();
        EXPECT_FALSE(e2e::WaitUntil([&] { return Text() != stopped; }, 400))
            << "still moving after the release: " << stopped << " then " << Text();
    }
}

// The swatch follows every change, whatever made it.
TEST_F(Mixing, SwatchShowsTheColourOfTheText) {
    struct Change {
        const char* what;
        std::function<void()> act;
        const char* expected;
    };
    const Change changes[] = {
        {"red bar", [&] { ClickBar(kRedBar, 73); }, "7FFFFF"},
        {"green bar", [&] { ClickBar(kGreenBar, 14); }, "7F02FF"},
        {"blue key",
         [&] {
             ClickBar(kBlueBar, 13);
             e2e::KeyPress(VK_PRIOR);
         },
         "7F0220"},
        {"typed", [&] { ASSERT_TRUE(Type("1E90C8")); }, "1E90C8"},
        {"brightness", [&] { ClickBar(kBrightnessBar, 133); }, "FFFFFF"},
        {"brightness down", [&] { ClickBar(kBrightnessBar, 13); }, "000000"},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.act();
        ASSERT_TRUE(TextBecomes(change.expected));
        const COLORREF colour = ColourOfHex(Text());
        ASSERT_NE(CLR_INVALID, colour);
        EXPECT_TRUE(SwatchShows(colour));
    }
}

// The thumb ring, drawn in the bar's inverse colour (cyan on red), sits where
// the value maps to.
TEST_F(Mixing, RedThumbSitsWhereTheValueMaps) {
    const COLORREF cyan = 0x00FFFF00;
    const struct {
        const char* hex;
        int x; // bar-client x of the thumb's centre
    } cases[] = {{"80FFFF", 73},
                 {"40FFFF", ThumbX(0x40)},
                 {"C8FFFF", ThumbX(0xC8)},
                 {"00FFFF", 13},
                 {"FFFFFF", 133}};
    const RECT client = app.ToScreen(RECT{kRedBar.left + kBarEdge, kRedBar.top + kBarEdge,
                                          kRedBar.right - kBarEdge, kRedBar.bottom - kBarEdge});
    const int originX = client.left, originY = client.top;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        ASSERT_TRUE(Type(c.hex));
        int left = 0, right = 0, top = 0, bottom = 0, count = 0;
        const bool found = e2e::WaitUntil(
            [&] {
                const ScreenImage image(client);
                left = 1000, right = -1, top = 1000, bottom = -1, count = 0;
                for (int y = client.top; y < client.bottom; ++y)
                    for (int x = client.left; x < client.right; ++x)
                        if (e2e::ShowsColour(image.At(x, y), cyan)) {
                            ++count;
                            left = std::min(left, x - originX);
                            right = std::max(right, x - originX);
                            top = std::min(top, y - originY);
                            bottom = std::max(bottom, y - originY);
                        }
                return count >= 12 && std::abs((left + right + 1) / 2 - c.x) <= 1;
            },
            3000);
        EXPECT_TRUE(found) << count << " ring pixels from x " << left << " to " << right;
        // One ring of about 8 pixels across, centred on the middle line.
        EXPECT_LE(right - left, 9);
        EXPECT_GE(right - left, 6);
        EXPECT_NEAR((top + bottom + 1) / 2, kBarMiddleY, 1);
    }
}

} // namespace

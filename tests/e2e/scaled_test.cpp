// Tintwell on a screen at 150 %: 144 dots per inch, set in a Wine prefix of
// its own (scripts/e2e.sh runs only these tests there). The whole window must
// look and answer as the 100 % one drawn larger: every expectation is the
// 100 % one of expected.h scaled here, with the system's MulDiv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;
using e2e::HexText;
using e2e::Inset;
using e2e::Middle;
using e2e::ScreenImage;

constexpr int kDpi = 144;

int Scale(int v) {
    return e2e::AtScreenScale(v);
}
RECT Scale(const RECT& r) {
    return e2e::AtScreenScale(r);
}

class Scaled : public e2e::AppTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(kDpi, e2e::ScreenDpi()) << "these tests run on a screen at 144 dots per inch";
        ASSERT_TRUE(Launch()) << "Tintwell did not show its main window";
    }
};

TEST_F(Scaled, WindowAndControlsAtOneAndAHalfTimesTheirPlaces) {
    // The client area grows in proportion; the title bar less so, and the
    // window is centred at its real size.
    const RECT client = app.ClientRect(), frame = app.WindowRect();
    EXPECT_EQ(Scale(kClientWidth), client.right);   // 486
    EXPECT_EQ(Scale(kClientHeight), client.bottom); // 263
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    EXPECT_EQ((e2e::ScreenWidth() - width) >> 1, frame.left);
    EXPECT_EQ((e2e::ScreenHeight() - height - Scale(kCentringHeight - kWindowHeight)) >> 1,
              frame.top);

    std::vector<RECT> placed;
    for (const auto& c : kChildren) {
        const RECT r = Scale(c.rect);
        SCOPED_TRACE(std::string(c.className) + " at " + std::to_string(r.left) + "," +
                     std::to_string(r.top));
        EXPECT_NE(nullptr, app.ChildAt(c.className, r));
        RECT inside;
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(EqualRect(&inside, &r)) << "not wholly inside the client area";
        for (const RECT& other : placed) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << "overlaps another control";
        }
        placed.push_back(r);
    }
}

TEST_F(Scaled, SwatchLabelsAndPaletteAreDrawnAtTheScale) {
    EXPECT_TRUE(SwatchShows(0x00FFFFFF));
    const RECT swatch = OnScreen(kSwatch);
    EXPECT_TRUE(e2e::ShowsColour(e2e::ScreenPixel(swatch.left, swatch.top), 0)) << "its frame";
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, kBuiltInPalette[i])) << "cell " << i;
    // The labels' text, in their colour, from their scaled starts; none
    // between the bars and the palette.
    const ScreenImage image(app.ToScreen(app.ClientRect()));
    for (const RECT& r : {RECT{7, 55, 60, 69}, RECT{7, 115, 60, 129}, RECT{246, 5, 320, 17},
                          RECT{239, 20, 320, 32}})
        EXPECT_GE(image.Count(OnScreen(r), kLabelColour), 20)
            << "label at " << r.left << "," << r.top;
    EXPECT_EQ(0, image.Count(OnScreen(RECT{232, 35, 245, 118}), kLabelColour));
}

// A palette cell and the red track answer where they are drawn, and so does
// the Close button.
TEST_F(Scaled, ClicksLandWhereTheScaledWindowShowsThings) {
    ASSERT_TRUE(app.Activate());
    const POINT cell = MiddleOf(PaletteCell(7));
    e2e::Click(cell.x, cell.y);
    EXPECT_TRUE(TextBecomes(HexText(kBuiltInPalette[7])));

    // The red track runs between the scaled arrow cells of the bar's client area.
    HWND bar = Child("zPositionBar", kRedBar);
    ASSERT_NE(nullptr, bar);
    RECT barClient;
    GetClientRect(bar, &barClient);
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    const int trackLeft = Scale(kTrackLeft);
    const int trackWidth = barClient.right - 2 * trackLeft;
    const int middleY = origin.y + barClient.bottom / 2;
    auto xOf = [&](int value) { return origin.x + trackLeft + value * trackWidth / 255; };
    e2e::Click(xOf(200), middleY);
    ASSERT_TRUE(e2e::WaitPumping([&] { return Text().size() == 6 && Text().substr(2) == "0080"; }))
        << "text is " << Text();
    const int red = std::stoi(Text().substr(0, 2), nullptr, 16);
    EXPECT_NEAR(200, red, 3);

    // The thumb ring, cyan on the red bar, is centred at the scaled x of the value.
    const RECT area{origin.x, origin.y, origin.x + barClient.right, origin.y + barClient.bottom};
    int left = 10000, right = -1;
    const bool found = e2e::WaitUntil([&] {
        const ScreenImage shown(area);
        left = 10000, right = -1;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (e2e::ShowsColour(shown.At(x, y), 0x00FFFF00)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right >= 0 && std::abs((left + right) / 2 - xOf(red)) <= 1;
    });
    EXPECT_TRUE(found) << "ring from " << left << " to " << right << ", value at " << xOf(red);
    EXPECT_GE(right - left, Scale(8) - 1) << "the ring is drawn at the scale";

    const POINT close = MiddleOf(kCloseButton);
    e2e::Click(close.x, close.y);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(Scaled, APickReadsTheExactPixelAndThePreviewFillsTheBox) {
    const e2e::StripesWindow stripes(POINT{40, 560}, 64, 40);
    ASSERT_TRUE(stripes.Shown());

    const RECT box = OnScreen(kPickColour);
    e2e::MouseDown(Middle(box).x, Middle(box).y);
    ASSERT_TRUE(
        e2e::WaitPumping([&] { return app.Capture() == Child("zPickColor", kPickColour); }));
    const int column = 30;
    const POINT at = stripes.Column(column);
    ASSERT_TRUE(e2e::MouseMove(at.x, at.y));
    const std::string picked = HexText(e2e::StripesWindow::Colour(column));
    EXPECT_TRUE(TextBecomes(picked));
    // The loupe at the scale, each block one physical pixel, beside the pointer.
    e2e::LoupeView loupe{};
    EXPECT_TRUE(e2e::WaitUntil([&] {
        loupe = e2e::LoupeView{app.LoupeRect(), Scale(kLoupeBorder), Scale(kLoupeBlock),
                               kLoupeCount, Scale(kLoupeText)};
        return loupe.SizeIsRight() && loupe.rect.left > at.x + kLoupeCount / 2 &&
               loupe.rect.left < at.x + Scale(40) && loupe.ShowsColumnsAround(column);
    })) << "loupe at "
        << loupe.rect.left << "," << loupe.rect.top << " to " << loupe.rect.right << ","
        << loupe.rect.bottom;
    // Frozen, one picture pixel is one physical screen pixel: the stripes
    // painted anew, a nudge reads the next column as it was.
    e2e::KeyPress('F');
    ASSERT_TRUE(e2e::WaitPumping([&] { return app.FrozenScreen() != nullptr; }));
    RECT frozen{};
    GetWindowRect(app.FrozenScreen(), &frozen);
    EXPECT_EQ(e2e::ScreenWidth(), frozen.right - frozen.left) << "the picture is not the screen";
    ASSERT_TRUE(stripes.Recolour(9));
    e2e::KeyPress(VK_RIGHT);
    const std::string frozenPicked = HexText(e2e::StripesWindow::Colour(column + 1));
    EXPECT_TRUE(TextBecomes(frozenPicked));
    e2e::MouseUpHere();
    ASSERT_TRUE(e2e::WaitPumping([&] { return app.Capture() == nullptr; }));
    EXPECT_TRUE(TextBecomes(frozenPicked));
    EXPECT_TRUE(e2e::WaitPumping([&] { return app.FrozenScreen() == nullptr; }));
    ASSERT_TRUE(stripes.Recolour(0));
    const int nudged = column + 1;

    // The five columns around the pointer, stretched over the whole box inside
    // its edge: the outermost left and right columns of the box show the
    // outermost columns of the sample.
    const RECT inside = Inset(box, 2);
    EXPECT_TRUE(e2e::WaitPumping([&] {
        const ScreenImage shown(inside);
        return shown.At(inside.left, inside.top + 2) == e2e::StripesWindow::Colour(nudged - 2) &&
               shown.At(inside.right - 1, inside.top + 2) == e2e::StripesWindow::Colour(nudged + 2);
    })) << "the preview does not fill the box";
}

} // namespace

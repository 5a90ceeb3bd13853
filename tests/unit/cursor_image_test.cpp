#include "controls/cursor_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 2 by 2 cursor without alpha: transparent, black, white, and inverting.
const Packed kMonoOnBlack[] = {0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF};
const Packed kMonoOnWhite[] = {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000};

TEST(CursorMasks, LearntFromBlackAndWhiteTheyDrawOnAnyBackground) {
    Packed andMask[4], xorMask[4];
    DeriveCursorMasks(kMonoOnBlack, kMonoOnWhite, 4, andMask, xorMask);
    const Packed background = 0x5A3C96;
    const Packed expected[] = {0x5A3C96, 0x000000, 0xFFFFFF, 0xA5C369};
    EXPECT_TRUE(CursorMasksReproduce(andMask, xorMask, 4, background, expected));
    const Packed wrong[] = {0x5A3C96, 0x000000, 0xFFFFFF, 0x5A3C96};
    EXPECT_FALSE(CursorMasksReproduce(andMask, xorMask, 4, background, wrong));

    // Drawn into a 3 by 2 picture at (2, 1): only the top left pixel lands.
    std::vector<Packed> picture(6, background);
    ApplyCursorMasks(picture.data(), 3, 3, 2, 2, 1, 2, andMask, xorMask);
    EXPECT_EQ((std::vector<Packed>{background, background, background, background, background,
                                   background}),
              picture);
    ApplyCursorMasks(picture.data(), 3, 3, 2, 1, 0, 2, andMask, xorMask);
    EXPECT_EQ(
        (std::vector<Packed>{background, background, 0x000000, background, 0xFFFFFF, 0xA5C369}),
        picture);
}

// Blended by its alpha: a pixel half through over white gains 128 a channel.
TEST(CursorAlpha, PremultipliedColoursAndAlphaFromBlackAndWhite) {
    const Packed onBlack[] = {0x000000, 0x102030, 0x400000};
    const Packed onWhite[] = {0xFFFFFF, 0x102030, 0xC08080};
    std::uint32_t premultiplied[3];
    ASSERT_TRUE(DeriveCursorAlpha(onBlack, onWhite, 3, premultiplied));
    EXPECT_EQ(0x00000000u, premultiplied[0]); // wholly transparent
    EXPECT_EQ(0xFF102030u, premultiplied[1]); // opaque
    EXPECT_EQ(0x7F400000u, premultiplied[2]); // 255 - 128 of it
    // An inverting pixel, or channels that disagree, have no alpha.
    EXPECT_FALSE(DeriveCursorAlpha(kMonoOnBlack + 3, kMonoOnWhite + 3, 1, premultiplied));
    const Packed uneven[] = {0x80FF40};
    EXPECT_FALSE(DeriveCursorAlpha(onBlack, uneven, 1, premultiplied));
}

} // namespace

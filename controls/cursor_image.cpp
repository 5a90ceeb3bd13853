#include "controls/cursor_image.h"

void DeriveCursorMasks(const Packed* onBlack, const Packed* onWhite, std::int32_t n,
                       Packed* andMask, Packed* xorMask) {
    for (std::int32_t i = 0; i < n; ++i) {
        xorMask[i] = onBlack[i] & 0xFFFFFFu;
        andMask[i] = (onBlack[i] ^ onWhite[i]) & 0xFFFFFFu;
    }
}

bool DeriveCursorAlpha(const Packed* onBlack, const Packed* onWhite, std::int32_t n,
                       std::uint32_t* premultiplied) {
    for (std::int32_t i = 0; i < n; ++i) {
        // Over white each channel gains what the alpha lets through: 255 - alpha.
        std::int32_t through = -1;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::int32_t black = std::int32_t((onBlack[i] >> shift) & 0xFF);
            const std::int32_t white = std::int32_t((onWhite[i] >> shift) & 0xFF);
            if (white < black || (through >= 0 && white - black != through)) return false;
            through = white - black;
        }
        premultiplied[i] = (std::uint32_t(255 - through) << 24) | (onBlack[i] & 0xFFFFFFu);
    }
    return true;
}

bool CursorMasksReproduce(const Packed* andMask, const Packed* xorMask, std::int32_t n,
                          Packed background, const Packed* drawn) {
    for (std::int32_t i = 0; i < n; ++i)
        if (((background & andMask[i]) ^ xorMask[i]) != (drawn[i] & 0xFFFFFFu)) return false;
    return true;
}

void ApplyCursorMasks(Packed* picture, std::int32_t stride, std::int32_t width, std::int32_t height,
                      std::int32_t left, std::int32_t top, std::int32_t size, const Packed* andMask,
                      const Packed* xorMask) {
    for (std::int32_t y = 0; y < size; ++y) {
        if (top + y < 0 || top + y >= height) continue;
        Packed* row = picture + (top + y) * stride;
        for (std::int32_t x = 0; x < size; ++x) {
            if (left + x < 0 || left + x >= width) continue;
            Packed& p = row[left + x];
            p = (p & andMask[y * size + x]) ^ xorMask[y * size + x];
        }
    }
}

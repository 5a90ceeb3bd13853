#include "app/layout.h"
#include <initializer_list>

MainLayout LayoutForDpi(std::uint32_t dpi) {
    const MainLayout& b = kMainLayout;
    MainLayout s = b;
    s.width = ScaleForDpi(b.width, dpi);
    s.height = ScaleForDpi(b.height, dpi);
    s.centringHeight = ScaleForDpi(b.centringHeight, dpi);
    for (Rect32 MainLayout::*r :
         {&MainLayout::swatch, &MainLayout::closeButton, &MainLayout::copyButton,
          &MainLayout::autoApplyBox, &MainLayout::editBox, &MainLayout::redBar,
          &MainLayout::greenBar, &MainLayout::blueBar, &MainLayout::brightnessBar,
          &MainLayout::pickColor, &MainLayout::pickWindow})
        s.*r = Scaled(b.*r, dpi);
    for (int i = 0; i < kLabelCount; ++i)
        s.labels[i] = Point32{ScaleForDpi(b.labels[i].x, dpi), ScaleForDpi(b.labels[i].y, dpi)};
    for (int i = 0; i < kPaletteCells; ++i)
        s.cells[i] = Scaled(b.cells[i], dpi);
    return s;
}

int PaletteHitTest(const MainLayout& layout, std::int32_t x, std::int32_t y) {
    for (int i = 0; i < kPaletteCells; ++i) {
        const Rect32& c = layout.cells[i];
        if (x >= c.left && x <= c.right && y >= c.top && y <= c.bottom) return i;
    }
    return -1;
}

Point32 CentredOrigin(Size32 screen, Size32 window, std::uint32_t dpi) {
    const std::int32_t extra = ScaleForDpi(kMainLayout.centringHeight - kMainLayout.height, dpi);
    return Point32{Centred(screen.width, window.width),
                   Centred(screen.height, window.height + extra)};
}

Size32 WindowSizeForDpi(Size32 frameAt96, Size32 frameAtDpi, std::uint32_t dpi) {
    return Size32{ScaleForDpi(kMainLayout.width - frameAt96.width, dpi) + frameAtDpi.width,
                  ScaleForDpi(kMainLayout.height - frameAt96.height, dpi) + frameAtDpi.height};
}

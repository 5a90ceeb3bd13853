#include "controls/bar_math.h"

BarMetrics BarMetricsForDpi(std::uint32_t dpi) {
    const BarMetrics& b = kBarMetrics;
    return BarMetrics{ScaleForDpi(b.trackInset, dpi), ScaleForDpi(b.arrowX, dpi),
                      ScaleForDpi(b.arrowHalfCell, dpi), ScaleForDpi(b.thumbRadius, dpi),
                      ScaleForDpi(b.penWidth, dpi)};
}

// Position bar geometry: its drawing, pointer to value, value to thumb, page
// step. Pure.
#pragma once
#include "platform/clamp.h"
#include "platform/scale.h"
#include <cstdint>

// What a bar draws inside its client area, at 100 %; a bar on a scaled screen
// draws all of it scaled, and its track with it.
struct BarMetrics {
    std::int32_t trackInset;    // the arrow cells either side of the track
    std::int32_t arrowX;        // " < " starts just left of the client area
    std::int32_t arrowHalfCell; // the arrows' text cell is centred on the middle line
    std::int32_t thumbRadius;   // the ring
    std::int32_t penWidth;
};
constexpr BarMetrics kBarMetrics{13, -2, 9, 4, 1};

BarMetrics BarMetricsForDpi(std::uint32_t dpi);

struct BarRange {
    std::int32_t minimum = 0, maximum = 255;
};

// The bar's set-value clamp: the upper bound is tested first.
constexpr std::int32_t ClampBarValue(std::int32_t v, BarRange r) {
    return Clamp(v, r.minimum, r.maximum);
}

// Pointer x (client coordinates) to a value, before the clamp; trackWidth > 0.
constexpr std::int32_t BarValueFromX(std::int32_t x, std::int32_t trackLeft,
                                     std::int32_t trackWidth, BarRange r) {
    return r.minimum + (x - trackLeft) * (r.maximum - r.minimum) / trackWidth;
}

// A value to the thumb's x; the range must be non-empty.
constexpr std::int32_t BarXFromValue(std::int32_t value, std::int32_t trackLeft,
                                     std::int32_t trackWidth, BarRange r) {
    return trackLeft + (value - r.minimum) * trackWidth / (r.maximum - r.minimum);
}

constexpr std::int32_t BarPageStep(std::int32_t trackWidth, BarRange r) {
    return (r.maximum - r.minimum) / trackWidth + 1;
}

#include "colour/components.h"

void ApplyComponent(Components& c, std::uint8_t selector, std::int32_t value) {
    const auto clamped = std::uint8_t(Clamp(value, 0, 255));
    switch (selector) {
    case ComponentRed: c.red = clamped; break;
    case ComponentGreen: c.green = clamped; break;
    case ComponentBlue: c.blue = clamped; break;
    case ComponentWhole:
        c.red = RedOf(std::uint32_t(value));
        c.green = GreenOf(std::uint32_t(value));
        c.blue = BlueOf(std::uint32_t(value));
        break;
    default: break;
    }
}

// Draws Tintwell's icon: a hue wheel with an eyedropper dipped into it, at
// 16x16 and 32x32, 32-bit BGRA with AND masks, written as one .ico file.
//
// Run on the build host, from the repository root:
//   g++ -O2 -o /tmp/make_icon res/make_icon.cpp && /tmp/make_icon res/tintwell.ico
//
// The shapes are laid out on a 32-unit square and supersampled, so both sizes
// come from the same drawing.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0; // straight (not premultiplied), 0..1
};

constexpr double kPi = 3.14159265358979323846;

Rgba Opaque(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

// Paints `top` over `under` (straight alpha).
Rgba Over(Rgba top, Rgba under) {
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

Rgba FromHsv(double h, double s, double v) {
    const double c = v * s;
    const double hp = std::fmod(h / 60.0, 6.0);
    const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (hp < 1)
        r = c, g = x;
    else if (hp < 2)
        r = x, g = c;
    else if (hp < 3)
        g = c, b = x;
    else if (hp < 4)
        g = x, b = c;
    else if (hp < 5)
        r = x, b = c;
    else
        r = c, b = x;
    const double m = v - c;
    return {r + m, g + m, b + m, 1.0};
}

// Distance from p to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The drawing, at a point of the 32-unit square (y down).
Rgba Sample(double x, double y) {
    const Rgba outline = Opaque(34, 34, 44);
    Rgba out;

    // Hue wheel: saturation grows from a white middle to the rim.
    const double cx = 13.5, cy = 18.5, rim = 12.5;
    const double d = std::hypot(x - cx, y - cy);
    if (d <= rim) {
        if (d > rim - 1.25) {
            out = outline;
        } else {
            double hue = std::atan2(cy - y, x - cx) * 180.0 / kPi;
            if (hue < 0) hue += 360.0;
            out = FromHsv(hue, std::pow(d / (rim - 1.25), 0.8), 1.0);
        }
    }

    // Eyedropper from the top-right corner down to the wheel's middle.
    const double bulbX = 26.0, bulbY = 6.0;
    const double collarAX = 23.6, collarAY = 8.4, collarBX = 21.4, collarBY = 10.6;
    const double glassEndX = 15.6, glassEndY = 16.4;
    const double tipX = 13.2, tipY = 18.8;

    const double tip = SegmentDistance(x, y, glassEndX, glassEndY, tipX, tipY);
    if (tip <= 1.3) out = Over(outline, out);

    const double glass = SegmentDistance(x, y, collarBX, collarBY, glassEndX, glassEndY);
    if (glass <= 2.9) {
        // The lower part holds the picked colour (a warm orange), the rest is glass.
        const bool filled = (x + y) > 31.0;
        const Rgba inside = filled ? Opaque(255, 140, 30) : Opaque(225, 238, 250);
        out = Over(glass <= 1.8 ? inside : outline, out);
    }

    const double collar = SegmentDistance(x, y, collarAX, collarAY, collarBX, collarBY);
    if (collar <= 3.6) out = Over(collar <= 2.6 ? Opaque(150, 150, 165) : outline, out);

    const double bulb = std::hypot(x - bulbX, y - bulbY);
    if (bulb <= 4.6) {
        // A highlight up and left makes the rubber bulb read as round.
        const double shine = std::hypot(x - (bulbX - 1.3), y - (bulbY - 1.3));
        const Rgba rubber = shine < 1.4 ? Opaque(235, 120, 120) : Opaque(190, 30, 40);
        out = Over(bulb <= 3.5 ? rubber : outline, out);
    }
    return out;
}

struct Image {
    int size;
    std::vector<Rgba> pixels; // top-down
};

Image Render(int size) {
    constexpr int kSub = 8; // 8x8 subsamples per pixel
    Image img{size, std::vector<Rgba>(std::size_t(size) * size)};
    const double scale = 32.0 / size;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0; // premultiplied sums
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const Rgba s =
                        Sample((px + (sx + 0.5) / kSub) * scale, (py + (sy + 0.5) / kSub) * scale);
                    r += s.r * s.a, g += s.g * s.a, b += s.b * s.a, a += s.a;
                }
            }
            Rgba& out = img.pixels[std::size_t(py) * size + px];
            if (a > 0) out = {r / a, g / a, b / a, a / (kSub * kSub)};
        }
    }
    return img;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(std::uint8_t(v & 0xFF));
    out.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
std::uint8_t Byte(double v) {
    const double c = v < 0 ? 0 : (v > 1 ? 1 : v);
    return std::uint8_t(std::lround(c * 255));
}

// One icon image: BITMAPINFOHEADER of double height, bottom-up BGRA rows,
// then the AND mask (1 = transparent), rows padded to 32 bits.
std::vector<std::uint8_t> Encode(const Image& img) {
    const int n = img.size;
    const int maskStride = ((n + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, std::uint32_t(n));
    Put32(out, std::uint32_t(2 * n));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0); // BI_RGB
    Put32(out, std::uint32_t(n * n * 4 + maskStride * n));
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            const Rgba& p = img.pixels[std::size_t(y) * n + x];
            out.push_back(Byte(p.b));
            out.push_back(Byte(p.g));
            out.push_back(Byte(p.r));
            out.push_back(Byte(p.a));
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(std::size_t(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (img.pixels[std::size_t(y) * n + x].a < 0.5)
                row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.ico\n", argv[0]);
        return 2;
    }
    const int sizes[] = {16, 32};
    std::vector<std::vector<std::uint8_t>> images;
    for (int s : sizes)
        images.push_back(Encode(Render(s)));

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1); // icon
    Put16(file, unsigned(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(std::uint8_t(sizes[i]));
        file.push_back(std::uint8_t(sizes[i]));
        file.push_back(0); // no palette
        file.push_back(0);
        Put16(file, 1);  // planes
        Put16(file, 32); // bits per pixel
        Put32(file, std::uint32_t(images[i].size()));
        Put32(file, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const auto& img : images)
        file.insert(file.end(), img.begin(), img.end());

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size()) {
        std::perror(argv[1]);
        return 1;
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

// Draws the programs' icon art and writes it as a Windows icon file holding
// twelve images: 48, 32, 24 and 16 pixels at 32, 8 and 4 bits per pixel.
//   icongen OUT.ico app|new
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

struct Style {
    Rgba top, bottom, glyph, badge;
    bool withBadge;
};

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = Clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The picture in unit coordinates (0..1, y downwards): a rounded tile with a
// shaded gradient (flat for the 16-colour images, where a gradient would band)
// and a bold "V"; the second style adds a round badge.
Rgba Shade(const Style& s, double x, double y, bool flat) {
    const double inset = 0.06, radius = 0.2;
    const double qx = std::max(std::fabs(x - 0.5) - (0.5 - inset - radius), 0.0);
    const double qy = std::max(std::fabs(y - 0.5) - (0.5 - inset - radius), 0.0);
    if (std::hypot(qx, qy) > radius) return {0, 0, 0, 0};
    const double t = flat ? 0.5 : y;
    Rgba c{s.top.r + (s.bottom.r - s.top.r) * t, s.top.g + (s.bottom.g - s.top.g) * t,
           s.top.b + (s.bottom.b - s.top.b) * t, 1.0};
    const double stroke = 0.085;
    const double d = std::min(SegmentDistance(x, y, 0.27, 0.25, 0.5, 0.76), SegmentDistance(x, y, 0.73, 0.25, 0.5, 0.76));
    if (d < stroke) c = s.glyph;
    if (s.withBadge && std::hypot(x - 0.76, y - 0.76) < 0.17) c = s.badge;
    return c;
}

std::vector<Rgba> Render(const Style& style, int size, bool flat) {
    const int ss = 4;
    std::vector<Rgba> out(size * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    const Rgba c = Shade(style, (x + (i + 0.5) / ss) / size, (y + (j + 0.5) / ss) / size, flat);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            const double n = ss * ss;
            out[y * size + x] = sum.a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n}
                                          : Rgba{0, 0, 0, 0};
        }
    return out;
}

struct Colour {
    std::uint8_t r, g, b;
};

std::vector<Colour> Palette(int bits) {
    std::vector<Colour> p;
    if (bits == 4) {
        p = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
             {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
             {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        return p;
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back({std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51)});
    while (p.size() < 256) {
        const auto v = std::uint8_t((p.size() - 216) * 255 / 39);
        p.push_back({v, v, v});
    }
    return p;
}

int Nearest(const std::vector<Colour>& palette, const Rgba& c) {
    int best = 0;
    double bestDistance = 1e9;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const double dr = palette[i].r - c.r * 255, dg = palette[i].g - c.g * 255, db = palette[i].b - c.b * 255;
        const double d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = int(i);
    }
    return best;
}

void Put16(std::vector<std::uint8_t>& v, unsigned x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// One icon image: BITMAPINFOHEADER, palette, colour rows and mask rows, bottom-up.
std::vector<std::uint8_t> Image(const std::vector<Rgba>& px, int size, int bits) {
    const int rowBytes = ((size * bits + 31) / 32) * 4;
    const int maskBytes = ((size + 31) / 32) * 4;
    const auto palette = bits <= 8 ? Palette(bits) : std::vector<Colour>();
    std::vector<std::uint8_t> v;
    Put32(v, 40);
    Put32(v, size);
    Put32(v, size * 2);
    Put16(v, 1);
    Put16(v, bits);
    Put32(v, 0);
    Put32(v, (rowBytes + maskBytes) * size);
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, 0);
    for (const Colour& c : palette) {
        v.push_back(c.b);
        v.push_back(c.g);
        v.push_back(c.r);
        v.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < size; ++x) {
            const Rgba& c = px[y * size + x];
            const bool opaque = c.a >= 0.5;
            if (bits == 32) {
                row[x * 4 + 0] = std::uint8_t(std::lround(c.b * 255));
                row[x * 4 + 1] = std::uint8_t(std::lround(c.g * 255));
                row[x * 4 + 2] = std::uint8_t(std::lround(c.r * 255));
                row[x * 4 + 3] = std::uint8_t(std::lround(c.a * 255));
            } else {
                const int index = opaque ? Nearest(palette, c) : 0;
                if (bits == 8) {
                    row[x] = std::uint8_t(index);
                } else {
                    row[x / 2] |= std::uint8_t(x % 2 ? index : index << 4);
                }
            }
        }
        v.insert(v.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskBytes, 0);
        for (int x = 0; x < size; ++x)
            if (px[y * size + x].a < 0.5) row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icongen OUT.ico app|new\n");
        return 2;
    }
    const std::string kind = argv[2];
    const Style app{{0.16, 0.42, 0.78, 1}, {0.05, 0.2, 0.45, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}, false};
    const Style fresh{{0.2, 0.6, 0.35, 1}, {0.06, 0.3, 0.16, 1}, {1, 1, 1, 1}, {0.95, 0.75, 0.1, 1}, true};
    if (kind != "app" && kind != "new") {
        std::fprintf(stderr, "icongen: unknown art '%s'\n", argv[2]);
        return 2;
    }
    const Style& style = kind == "app" ? app : fresh;

    std::vector<std::vector<std::uint8_t>> images;
    std::vector<std::pair<int, int>> formats;
    for (int bits : {32, 8, 4})
        for (int size : {48, 32, 24, 16}) {
            images.push_back(Image(Render(style, size, bits == 4), size, bits));
            formats.push_back({size, bits});
        }

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, unsigned(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(std::uint8_t(formats[i].first));
        file.push_back(std::uint8_t(formats[i].first));
        file.push_back(formats[i].second == 4 ? 16 : 0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, unsigned(formats[i].second));
        Put32(file, std::uint32_t(images[i].size()));
        Put32(file, offset);
        offset += std::uint32_t(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}

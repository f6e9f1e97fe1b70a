// kwpicturegen: draws the module's built-in pictures (res/pictures), the demo portal's pictures
// (res/demo) and the seed corpora of the picture fuzz targets (fuzz/corpus). Run once; its outputs are
// committed. Usage: kwpicturegen REPOSITORY_ROOT
#include "Canvas.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <numeric>
#include <optional>
#include <string>

namespace kw::picturegen {

namespace {

using image::testing::Bytes;
using image::testing::Indexed;
using image::testing::Pixels;

const Colour kDeepBlue = hex(0x1F4E79);
const Colour kBlue = hex(0x2F6FA8);
const Colour kTeal = hex(0x2E8B9A);
const Colour kLightBlue = hex(0xDCE9F5);
const Colour kOrange = hex(0xF28C28);
const Colour kGreen = hex(0x3C9A4B);
const Colour kGrey = hex(0x6B7280);
const Colour kLightGrey = hex(0xC9CED6);
const Colour kWhite = hex(0xFFFFFF);
const Colour kBlack = hex(0x000000);
const Colour kYellow = hex(0xF5C542);

// Colour reduction -------------------------------------------------------------------------------------

struct Entry {
    Rgba colour;
    std::size_t count;
};

/// Median cut: splits the colours into at most `limit` boxes and gives each box's weighted mean.
std::vector<Rgba> medianCut(std::vector<Entry> colours, std::size_t limit)
{
    std::vector<std::vector<Entry>> boxes{std::move(colours)};
    auto channel = [](const Rgba &c, int i) { return i == 0 ? c.r : (i == 1 ? c.g : c.b); };
    while (boxes.size() < limit) {
        std::size_t best = boxes.size();
        int bestRange = 0;
        int bestChannel = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].size() < 2)
                continue;
            for (int i = 0; i < 3; ++i) {
                int lo = 255, hi = 0;
                for (const Entry &e : boxes[b]) {
                    lo = std::min<int>(lo, channel(e.colour, i));
                    hi = std::max<int>(hi, channel(e.colour, i));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = b;
                    bestChannel = i;
                }
            }
        }
        if (best == boxes.size())
            break;
        auto &box = boxes[best];
        std::sort(box.begin(), box.end(), [&](const Entry &a, const Entry &b) {
            return channel(a.colour, bestChannel) < channel(b.colour, bestChannel);
        });
        const std::size_t total = std::accumulate(box.begin(), box.end(), std::size_t{0},
                                                  [](std::size_t s, const Entry &e) { return s + e.count; });
        std::size_t seen = 0, split = 1;
        for (std::size_t i = 0; i + 1 < box.size(); ++i) {
            seen += box[i].count;
            split = i + 1;
            if (seen * 2 >= total)
                break;
        }
        std::vector<Entry> upper(box.begin() + static_cast<std::ptrdiff_t>(split), box.end());
        box.resize(split);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgba> palette;
    for (const auto &box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (const Entry &e : box) {
            r += e.colour.r * static_cast<double>(e.count);
            g += e.colour.g * static_cast<double>(e.count);
            b += e.colour.b * static_cast<double>(e.count);
            n += static_cast<double>(e.count);
        }
        palette.push_back({static_cast<std::uint8_t>(r / n + 0.5), static_cast<std::uint8_t>(g / n + 0.5),
                           static_cast<std::uint8_t>(b / n + 0.5), 255});
    }
    return palette;
}

/// A palette picture of the canvas: pixels less than half opaque become the transparent entry 0 (shown
/// as `transparentShows` by readers that ignore transparency), the others are blended over `matte` and
/// reduced to at most `limit` colours.
Indexed toIndexed(const Canvas &canvas, std::size_t limit, bool transparent, Colour matte = kWhite,
                  Colour transparentShows = kWhite)
{
    Canvas flat(canvas.width(), canvas.height(), matte);
    flat.draw(canvas, 0, 0);
    const Pixels source = canvas.pixels();
    const Pixels blended = flat.pixels();
    std::map<std::uint32_t, std::size_t> counts;
    auto key = [](const Rgba &c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; };
    for (std::size_t i = 0; i < source.data.size(); ++i)
        if (!transparent || source.data[i].a >= 128)
            ++counts[key(blended.data[i])];
    std::vector<Entry> entries;
    for (const auto &[k, n] : counts)
        entries.push_back({{static_cast<std::uint8_t>(k >> 16), static_cast<std::uint8_t>(k >> 8),
                            static_cast<std::uint8_t>(k), 255},
                           n});
    std::vector<Rgba> palette = medianCut(entries, transparent ? limit - 1 : limit);
    const std::size_t offset = transparent ? 1 : 0;
    Indexed out(canvas.width(), canvas.height(), {});
    if (transparent)
        out.palette.push_back(canvas.pixels().data.empty() ? Rgba{} : Rgba{});
    if (transparent) {
        Canvas shows(1, 1, transparentShows);
        out.palette[0] = shows.pixels().data[0];
    }
    out.palette.insert(out.palette.end(), palette.begin(), palette.end());
    for (std::size_t i = 0; i < source.data.size(); ++i) {
        if (transparent && source.data[i].a < 128) {
            out.data[i] = 0;
            continue;
        }
        const Rgba &c = blended.data[i];
        std::size_t best = 0;
        int bestDistance = 1 << 30;
        for (std::size_t p = 0; p < palette.size(); ++p) {
            const int dr = c.r - palette[p].r, dg = c.g - palette[p].g, db = c.b - palette[p].b;
            const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (d < bestDistance) {
                bestDistance = d;
                best = p;
            }
        }
        out.data[i] = static_cast<std::uint8_t>(best + offset);
    }
    return out;
}

/// Flattens an icon for a bitmap with a magenta key: pixels less than half opaque become magenta, the
/// others are blended over the light face colour of buttons and lists.
Pixels keyed(const Canvas &canvas)
{
    Canvas flat(canvas.width(), canvas.height(), hex(0xF0F0F0));
    flat.draw(canvas, 0, 0);
    Pixels out = flat.pixels();
    const Pixels source = canvas.pixels();
    for (std::size_t i = 0; i < out.data.size(); ++i)
        if (source.data[i].a < 128)
            out.data[i] = {255, 0, 255, 255};
    return out;
}

Bytes bmp24(const Pixels &pixels)
{
    image::testing::BmpOptions options;
    options.bitsPerPixel = 24;
    return image::testing::encodeBmp(pixels, options);
}

// Small drawings shared by several icons ---------------------------------------------------------------

/// A page with a folded corner in the 16-pixel grid, its top-left corner at (x, y).
void page(Canvas &c, float x, float y, float w = 11, float h = 14)
{
    c.polygon({{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}}, kGrey);
    c.polygon({{x + 1, y + 1},
               {x + w - 4.5f, y + 1},
               {x + w - 1, y + 4.5f},
               {x + w - 1, y + h - 1},
               {x + 1, y + h - 1}},
              kWhite);
    c.polygon({{x + w - 4, y}, {x + w - 4, y + 4}, {x + w, y + 4}}, kLightGrey);
}

void checkMark(Canvas &c, float x, float y, Colour colour)
{
    c.circle(x + 3.5f, y + 3.5f, 3.6f, colour);
    c.line(x + 1.7f, y + 3.6f, x + 3.1f, y + 5.0f, 1.3f, kWhite);
    c.line(x + 3.1f, y + 5.0f, x + 5.5f, y + 2.0f, 1.3f, kWhite);
}

void landscape(Canvas &c, float x, float y, float w, float h)
{
    c.rect(x, y, x + w, y + h, kGrey);
    c.rect(x + 1, y + 1, x + w - 1, y + h - 1, hex(0xBFE0F7));
    c.circle(x + w - 4.5f, y + 4.5f, 1.8f, kYellow);
    c.polygon({{x + 1, y + h - 1},
               {x + 1, y + h - 4},
               {x + w * 0.38f, y + h * 0.42f},
               {x + w * 0.62f, y + h - 4.5f},
               {x + w * 0.75f, y + h * 0.6f},
               {x + w - 1, y + h - 3},
               {x + w - 1, y + h - 1}},
              kGreen);
}

// Built-in pictures ------------------------------------------------------------------------------------

/// 12002: the placeholder for a picture that does not exist: a framed landscape with a red cross.
Bytes placeholderGif()
{
    Canvas c(16, 16);
    landscape(c, 1, 2, 14, 12);
    c.line(9.5f, 9.5f, 13.5f, 13.5f, 1.6f, hex(0xD83A34));
    c.line(13.5f, 9.5f, 9.5f, 13.5f, 1.6f, hex(0xD83A34));
    image::testing::GifOptions options;
    options.transparentIndex = 0;
    return image::testing::encodeGif(toIndexed(c, 16, true), options);
}

/// 12061: the idle picture: a stylised portal page (header, menu column, content) on a calm background.
Bytes idlePng()
{
    Canvas c(256, 160, hex(0xEEF3F8));
    c.fill([](float, float) { return true; },
           [](float, float y) { return mix(hex(0xF3F6FA), hex(0xD5DFEA), y / 160); });
    // Soft shadow, then the page.
    for (int i = 6; i >= 1; --i)
        c.roundRect(52.0f + i * 0.6f, 30.0f + i, 206.0f + i * 0.6f, 134.0f + i, 6 + i, hex(0x1F2F45, 0.035f));
    c.roundRect(50, 28, 206, 132, 6, kWhite);
    c.roundRectGradient(50, 28, 206, 48, 6, kBlue, kDeepBlue);
    c.rect(50, 42, 206, 48, kDeepBlue);
    c.circle(61, 38, 4, hex(0xFFFFFF, 0.9f));
    c.roundRect(70, 35, 118, 41, 3, hex(0xFFFFFF, 0.55f));
    // Menu column with one highlighted entry.
    c.rect(50, 48, 88, 126, kLightBlue);
    for (int i = 0; i < 6; ++i) {
        const float y = 55.0f + i * 11.0f;
        if (i == 1)
            c.roundRect(53, y - 3, 85, y + 6, 2, kOrange);
        c.roundRect(57, y, 57.0f + (i % 3 == 0 ? 22 : 17), y + 3, 1.5f, i == 1 ? kWhite : hex(0x7C93AD));
    }
    c.roundRect(50, 124, 206, 132, 6, kLightBlue);
    c.rect(50, 124, 206, 128, kLightBlue);
    // Content: heading, text lines and a picture block.
    c.roundRect(96, 56, 150, 62, 2, hex(0x3A4656));
    for (int i = 0; i < 5; ++i)
        c.roundRect(96, 69.0f + i * 8.0f, i == 4 ? 130.0f : 150.0f, 72.0f + i * 8.0f, 1.5f, kLightGrey);
    c.roundRectGradient(158, 56, 198, 90, 3, kTeal, hex(0x226B77));
    c.circle(188, 64, 3.5f, hex(0xFFE27A));
    c.polygon({{158, 90}, {158, 82}, {170, 70}, {181, 81}, {188, 75}, {198, 84}, {198, 90}},
              hex(0xFFFFFF, 0.8f));
    c.roundRect(158, 97, 198, 100, 1.5f, kLightGrey);
    c.roundRect(158, 105, 186, 108, 1.5f, kLightGrey);
    c.roundRect(96, 110, 120, 118, 3, kOrange);
    image::testing::PngOptions options;
    options.color = image::testing::PngColor::Rgb;
    return image::testing::encodePng(c.pixels(), options);
}

/// 12024: the layout list's pictures: the active layout (a page with a green check) and a stored layout.
Bytes layoutListBmp()
{
    Canvas c(32, 16);
    for (int i = 0; i < 2; ++i) {
        const float x = i * 16.0f;
        page(c, x + 2, 1);
        c.rect(x + 4, 4, x + 9, 6, i == 0 ? kBlue : kGrey);
        c.rect(x + 4, 7, x + 11, 8, kLightGrey);
        c.rect(x + 4, 9, x + 10, 10, kLightGrey);
        c.rect(x + 4, 11, x + 11, 12, kLightGrey);
    }
    checkMark(c, 8, 8, kGreen);
    return bmp24(keyed(c));
}

/// 12038: the nine border styles, each a framed box in a 48 x 18 cell, drawn pixel-exact.
Bytes borderStylesBmp()
{
    const int cellWidth = 48, cellHeight = 18;
    Canvas c(9 * cellWidth, cellHeight, hex(0xFF00FF));
    const Colour dark = hex(0x808080), light = hex(0xFFFFFF), face = hex(0xD6D6D6), ink = kBlack;
    for (int style = 0; style < 9; ++style) {
        const int x0 = style * cellWidth + 4, y0 = 3, x1 = style * cellWidth + 44, y1 = 15;
        c.pixelRect(x0, y0, x1, y1, face);
        // Pixel p of the frame's outline (walking round), for dotted and dashed lines.
        auto frame = [&](int width, auto colourOf) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const int top = y - y0, left = x - x0, bottom = y1 - 1 - y, right = x1 - 1 - x;
                    const int nearTopLeft = std::min(top, left), nearBottomRight = std::min(bottom, right);
                    const int depth = std::min(nearTopLeft, nearBottomRight);
                    if (depth >= width)
                        continue;
                    const bool topLeft = nearTopLeft < nearBottomRight ||
                                         (nearTopLeft == nearBottomRight && top + left < bottom + right);
                    const int along = (y - y0 < width || y1 - 1 - y < width) ? x - x0 : y - y0;
                    const std::optional<Colour> colour = colourOf(depth, topLeft, along);
                    if (colour)
                        c.pixel(x, y, *colour);
                }
        };
        using Maybe = std::optional<Colour>;
        switch (style) {
        case 0: // none
            break;
        case 1: // solid
            frame(2, [&](int, bool, int) { return Maybe(ink); });
            break;
        case 2: // dotted
            frame(2, [&](int, bool, int along) { return along % 4 < 2 ? Maybe(ink) : Maybe(); });
            break;
        case 3: // dashed
            frame(2, [&](int, bool, int along) { return along % 8 < 5 ? Maybe(ink) : Maybe(); });
            break;
        case 4: // double
            frame(3, [&](int depth, bool, int) { return depth == 1 ? Maybe() : Maybe(ink); });
            break;
        case 5: // groove
            frame(4,
                  [&](int depth, bool topLeft, int) { return Maybe((depth < 2) == topLeft ? dark : light); });
            break;
        case 6: // ridge
            frame(4,
                  [&](int depth, bool topLeft, int) { return Maybe((depth < 2) == topLeft ? light : dark); });
            break;
        case 7: // inset
            frame(2, [&](int, bool topLeft, int) { return Maybe(topLeft ? dark : light); });
            break;
        default: // outset
            frame(2, [&](int, bool topLeft, int) { return Maybe(topLeft ? light : dark); });
            break;
        }
    }
    return bmp24(c.pixels());
}

/// 12065: the shortcut picture: a small portal page layout.
Bytes shortcutBmp()
{
    Canvas c(16, 16);
    c.roundRect(1, 2, 15, 14, 1.5f, kDeepBlue);
    c.rect(2, 5, 14, 13, kWhite);
    c.rect(2, 5, 6, 13, kLightBlue);
    c.rect(3, 7, 5, 8, kBlue);
    c.rect(3, 9, 5, 10, kOrange);
    c.rect(7, 6, 13, 8, kTeal);
    c.rect(7, 9, 13, 10, kLightGrey);
    c.rect(7, 11, 11, 12, kLightGrey);
    return bmp24(keyed(c));
}

/// 12000: the toolbar, six 16 x 15 buttons in the toolbar's order: new, open, save, save as active,
/// properties, graphic.
Bytes toolbarBmp()
{
    Canvas c(6 * 16, 15);
    // New: a blank page with a spark.
    page(c, 3, 0);
    c.line(2, 3, 6, 3, 1.1f, kOrange);
    c.line(4, 1, 4, 5, 1.1f, kOrange);
    c.line(2.6f, 1.6f, 5.4f, 4.4f, 0.9f, kYellow);
    c.line(5.4f, 1.6f, 2.6f, 4.4f, 0.9f, kYellow);
    // Open: a folder with a page inside.
    {
        const float x = 16;
        c.polygon({{x + 1, 3}, {x + 6, 3}, {x + 7, 4.5f}, {x + 13, 4.5f}, {x + 13, 13}, {x + 1, 13}},
                  hex(0xC99A2E));
        c.rect(x + 4, 5, x + 12, 10, kWhite);
        c.polygon({{x + 3, 7}, {x + 15, 7}, {x + 13, 13}, {x + 1, 13}}, hex(0xF2C351));
    }
    // Save, and save as active (with a check).
    for (int i = 0; i < 2; ++i) {
        const float x = 32.0f + 16.0f * i;
        c.roundRect(x + 1, 1, x + 14, 14, 1.5f, kDeepBlue);
        c.rect(x + 3, 2, x + 12, 7, kWhite);
        c.rect(x + 4, 3, x + 11, 4, kLightGrey);
        c.rect(x + 4, 5, x + 11, 6, kLightGrey);
        c.rect(x + 4, 9, x + 11, 14, hex(0xA9B4C2));
        c.rect(x + 8, 10, x + 10, 13, kDeepBlue);
    }
    checkMark(c, 56, 7, kGreen);
    // Properties: a sheet with labels and values.
    {
        const float x = 64;
        c.rect(x + 1, 1, x + 15, 14, kGrey);
        c.rect(x + 2, 2, x + 14, 13, kWhite);
        c.rect(x + 2, 2, x + 14, 4, kBlue);
        for (int i = 0; i < 3; ++i) {
            const float y = 6.0f + 2.5f * i;
            c.rect(x + 3, y, x + 6, y + 1, kGrey);
            c.rect(x + 7, y, x + (i == 1 ? 11.0f : 13.0f), y + 1, i == 1 ? kOrange : kTeal);
        }
    }
    // Graphic: a framed landscape.
    landscape(c, 81, 2, 14, 11);
    return bmp24(keyed(c));
}

/// 32930: the undo and redo buttons of the toolbar, 16 x 15 each: an arrow that turns back to the left,
/// and the same mirrored.
Bytes undoRedoBmp()
{
    Canvas c(2 * 16, 15);
    for (int i = 0; i < 2; ++i) {
        const float x = 16.0f * i;
        // Mirrors a horizontal position inside the button for the redo arrow.
        auto at = [&](float px) { return i == 0 ? x + px : x + 16.0f - px; };
        const float cx = at(9.5f);
        c.fill(
            [=](float px, float py) {
                const float d = (px - cx) * (px - cx) + (py - 8.0f) * (py - 8.0f);
                const bool outside = i == 0 ? px >= cx : px <= cx;
                return outside && d <= 4.6f * 4.6f && d >= 2.4f * 2.4f;
            },
            kDeepBlue, x, 2, x + 16, 14);
        c.line(at(5.5f), 4.5f, at(9.5f), 4.5f, 2.2f, kDeepBlue);
        c.line(at(5.5f), 11.5f, at(9.5f), 11.5f, 2.2f, kDeepBlue);
        c.polygon({{at(1.0f), 4.5f}, {at(6.5f), 0.5f}, {at(6.5f), 8.5f}}, kDeepBlue);
    }
    return bmp24(keyed(c));
}

// Demo portal pictures ---------------------------------------------------------------------------------

/// backgrnd_CornerImage.gif: the submenu logo region's default picture, quarter circles out of a corner.
Bytes cornerImageGif()
{
    Canvas c(150, 55);
    c.fill([](float, float) { return true; },
           [](float x, float y) { return mix(mix(kDeepBlue, kTeal, x / 150), kDeepBlue, y / 110); });
    for (int i = 5; i >= 1; --i)
        c.circle(0, 55, 14.0f * i + 6, hex(0xFFFFFF, 0.05f));
    c.ring(150, 0, 46, 44, hex(0xFFFFFF, 0.25f));
    c.ring(150, 0, 34, 33, hex(0xFFFFFF, 0.2f));
    for (int i = 0; i < 7; ++i)
        c.circle(70.0f + 11.0f * i, 40.0f - 3.0f * i, 1.6f, hex(0xFFFFFF, 0.25f + 0.08f * i));
    c.roundRect(14, 14, 60, 18, 2, hex(0xFFFFFF, 0.85f));
    c.roundRect(14, 23, 44, 26, 1.5f, kOrange);
    return image::testing::encodeGif(toIndexed(c, 64, false), {});
}

/// logo.png: a company logo with alpha: an emblem of layout tiles and a wordmark of bars.
Bytes logoPng()
{
    Canvas c(180, 60);
    for (int i = 4; i >= 1; --i)
        c.roundRect(6.0f + i * 0.4f, 6.0f + i * 0.8f, 54.0f + i * 0.4f, 54.0f + i * 0.8f, 10,
                    hex(0x10263D, 0.05f));
    c.roundRectGradient(6, 6, 54, 54, 10, kBlue, kDeepBlue);
    c.roundRect(14, 14, 29, 29, 3, kWhite);
    c.roundRect(31, 14, 46, 29, 3, hex(0xFFFFFF, 0.55f));
    c.roundRect(14, 31, 29, 46, 3, hex(0xFFFFFF, 0.55f));
    c.roundRect(31, 31, 46, 46, 3, kOrange);
    c.roundRect(64, 17, 170, 29, 6, hex(0x263445));
    c.roundRect(64, 35, 138, 41, 3, kTeal);
    c.roundRect(142, 35, 158, 41, 3, kOrange);
    image::testing::PngOptions options;
    options.color = image::testing::PngColor::Rgba;
    return image::testing::encodePng(c.pixels(), options);
}

/// header.jpg: a photograph-like header band: evening sky, layered hills and a little grain.
Bytes headerJpeg()
{
    Canvas c(400, 60);
    c.fill([](float, float) { return true; },
           [](float x, float y) {
               Colour sky = mix(hex(0x7FB3E0), hex(0xF6D7A8), y / 60);
               const float glow = std::exp(-((x - 300) * (x - 300) + (y - 38) * (y - 38)) / 900.0f);
               return mix(sky, hex(0xFFF1C9), glow * 0.8f);
           });
    const struct {
        float base, amplitude, period, phase;
        unsigned colour;
    } hills[] = {{40, 7, 130, 0.3f, 0x6E8FB0}, {46, 6, 90, 1.7f, 0x4F7395}, {52, 4, 60, 0.9f, 0x2F5473}};
    for (const auto &h : hills)
        c.fill([h](float x,
                   float y) { return y > h.base - h.amplitude * std::sin(x / h.period * 6.2832f + h.phase); },
               hex(h.colour));
    Pixels pixels = c.pixels();
    std::uint32_t seed = 12345;
    for (Rgba &p : pixels.data) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>((seed >> 24) % 9) - 4;
        p.r = static_cast<std::uint8_t>(std::clamp(p.r + noise, 0, 255));
        p.g = static_cast<std::uint8_t>(std::clamp(p.g + noise, 0, 255));
        p.b = static_cast<std::uint8_t>(std::clamp(p.b + noise, 0, 255));
    }
    image::testing::JpegOptions options;
    options.quality = 88;
    return image::testing::encodeJpeg(pixels, options);
}

/// An outline bullet: a ring on a transparent background.
Bytes bulletGif(int size)
{
    Canvas c(size, size);
    const float centre = size / 2.0f;
    c.ring(centre, centre, centre - 0.2f, centre - 1.9f, kDeepBlue);
    image::testing::GifOptions options;
    options.transparentIndex = 0;
    return image::testing::encodeGif(toIndexed(c, 4, true), options);
}

/// item.gif: the menu item picture, a small arrow head.
Bytes itemGif()
{
    Canvas c(8, 8);
    c.polygon({{2, 1}, {6.5f, 4}, {2, 7}}, kDeepBlue);
    image::testing::GifOptions options;
    options.transparentIndex = 0;
    return image::testing::encodeGif(toIndexed(c, 4, true), options);
}

/// separator.gif: an etched vertical line between menu entries.
Bytes separatorGif()
{
    Indexed picture(2, 12, {{0x9A, 0xA5, 0xB1, 255}, {0xFF, 0xFF, 0xFF, 255}});
    for (int y = 0; y < 12; ++y)
        picture.at(1, y) = 1;
    return image::testing::encodeGif(picture, {});
}

// Fuzz seed corpora ------------------------------------------------------------------------------------

Pixels sample(int width, int height)
{
    Pixels p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = {static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 53),
                          static_cast<std::uint8_t>((x + y) * 19), static_cast<std::uint8_t>(255 - x * 16)};
    return p;
}

Indexed sampleIndexed(int width, int height, int colours)
{
    std::vector<Rgba> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back({static_cast<std::uint8_t>(i * 29), static_cast<std::uint8_t>(255 - i * 13),
                           static_cast<std::uint8_t>(i * 71), 255});
    Indexed p(width, height, palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = static_cast<std::uint8_t>((x / 2 + y) % colours);
    return p;
}

void writeCorpus(const std::filesystem::path &root)
{
    namespace fs = std::filesystem;
    auto out = [&](const std::string &reader, const std::string &name, const Bytes &bytes) {
        fs::create_directories(root / reader);
        image::testing::writeFile((root / reader / name).string(), bytes);
    };
    using namespace image::testing;
    for (const int bits : {1, 4, 8}) {
        const Indexed picture = sampleIndexed(13, 7, 1 << std::min(bits, 4));
        for (const bool topDown : {false, true}) {
            BmpOptions o;
            o.bitsPerPixel = bits;
            o.topDown = topDown;
            out("bmp", "pal" + std::to_string(bits) + (topDown ? "_topdown" : "") + ".bmp",
                encodeBmp(picture, o));
        }
    }
    {
        BmpOptions o;
        o.bitsPerPixel = 8;
        o.compression = BmpCompression::Rle8;
        out("bmp", "rle8.bmp", encodeBmp(sampleIndexed(13, 7, 16), o));
        o.bitsPerPixel = 4;
        o.compression = BmpCompression::Rle4;
        out("bmp", "rle4.bmp", encodeBmp(sampleIndexed(13, 7, 16), o));
        o = {};
        o.bitsPerPixel = 8;
        o.headerSize = 12;
        out("bmp", "core8.bmp", encodeBmp(sampleIndexed(5, 3, 16), o));
    }
    for (const int bits : {16, 24, 32}) {
        BmpOptions o;
        o.bitsPerPixel = bits;
        out("bmp", "rgb" + std::to_string(bits) + ".bmp", encodeBmp(sample(9, 5), o));
    }
    {
        BmpOptions o;
        o.bitsPerPixel = 16;
        o.compression = BmpCompression::BitFields;
        o.masks = {0xF800, 0x07E0, 0x001F, 0};
        out("bmp", "fields565.bmp", encodeBmp(sample(9, 5), o));
        o.bitsPerPixel = 32;
        o.headerSize = 108;
        o.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
        out("bmp", "fields32_v4.bmp", encodeBmp(sample(9, 5), o));
    }

    out("png", "rgb.png", encodePng(sample(9, 5), {}));
    {
        PngOptions o;
        o.color = PngColor::Rgba;
        o.interlaced = true;
        out("png", "rgba_interlaced.png", encodePng(sample(11, 9), o));
        o = {};
        o.color = PngColor::GreyAlpha;
        o.bitDepth = 16;
        out("png", "grey_alpha16.png", encodePng(sample(6, 6), o));
        o = {};
        o.color = PngColor::Grey;
        o.bitDepth = 2;
        o.transparentGrey = 1;
        out("png", "grey2_trns.png", encodePng(sample(7, 3), o));
    }
    {
        PalettePngOptions o;
        o.bitDepth = 4;
        o.alpha = {255, 0, 255};
        out("png", "palette4_trns.png", encodePng(sampleIndexed(10, 6, 16), o));
        o.bitDepth = 8;
        o.alpha = {10, 128};
        o.interlaced = true;
        out("png", "palette8_alpha.png", encodePng(sampleIndexed(10, 6, 40), o));
    }

    out("jpeg", "baseline.jpg", encodeJpeg(sample(19, 11), {}));
    {
        JpegOptions o;
        o.progressive = true;
        out("jpeg", "progressive.jpg", encodeJpeg(sample(19, 11), o));
        o = {};
        o.grey = true;
        out("jpeg", "grey.jpg", encodeJpeg(sample(17, 9), o));
        o = {};
        o.cmyk = true;
        out("jpeg", "cmyk.jpg", encodeJpeg(sample(9, 9), o));
    }

    out("gif", "plain.gif", encodeGif(sampleIndexed(11, 7, 4), {}));
    {
        GifOptions o;
        o.interlaced = true;
        o.transparentIndex = 2;
        out("gif", "interlaced_transparent.gif", encodeGif(sampleIndexed(9, 13, 16), o));
        o = {};
        o.localColorMap = true;
        o.screenWidth = 12;
        o.screenHeight = 10;
        o.left = 2;
        o.top = 3;
        out("gif", "local_map_offset.gif", encodeGif(sampleIndexed(7, 5, 200), o));
    }

    const Indexed bits = sampleIndexed(21, 6, 2);
    const std::string xbm = encodeXbm(bits, "seed");
    out("xbm", "char.xbm", Bytes(xbm.begin(), xbm.end()));
    const std::string x10 = encodeXbm(bits, "seed10", true);
    out("xbm", "short.xbm", Bytes(x10.begin(), x10.end()));
}

} // namespace

} // namespace kw::picturegen

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    using namespace kw::picturegen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kwpicturegen REPOSITORY_ROOT\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path pictures = root / "res" / "pictures";
    const fs::path demo = root / "res" / "demo";
    fs::create_directories(pictures);
    fs::create_directories(demo);
    auto write = [](const fs::path &path, const kw::image::testing::Bytes &bytes) {
        kw::image::testing::writeFile(path.string(), bytes);
        std::printf("%s (%zu bytes)\n", path.string().c_str(), bytes.size());
    };
    write(pictures / "12000.bmp", toolbarBmp());
    write(pictures / "12002.gif", placeholderGif());
    write(pictures / "12024.bmp", layoutListBmp());
    write(pictures / "12038.bmp", borderStylesBmp());
    write(pictures / "12061.png", idlePng());
    write(pictures / "12065.bmp", shortcutBmp());
    write(pictures / "32930.bmp", undoRedoBmp());
    write(demo / "backgrnd_CornerImage.gif", cornerImageGif());
    write(demo / "logo.png", logoPng());
    write(demo / "header.jpg", headerJpeg());
    write(demo / "bullet_big.gif", bulletGif(9));
    write(demo / "bullet_small.gif", bulletGif(7));
    write(demo / "item.gif", itemGif());
    write(demo / "separator.gif", separatorGif());
    writeCorpus(root / "fuzz" / "corpus");
    return 0;
}

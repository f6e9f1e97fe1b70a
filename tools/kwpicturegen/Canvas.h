// A small anti-aliased raster canvas for drawing the project's artwork: shapes are sampled 4 x 4 times
// per pixel and blended over what is there.
#pragma once

#include "ImageWriters.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace kw::picturegen {

using image::testing::Rgba;

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

inline Colour hex(unsigned value, float alpha = 1.0f)
{
    return {((value >> 16) & 0xFF) / 255.0f, ((value >> 8) & 0xFF) / 255.0f, (value & 0xFF) / 255.0f, alpha};
}

inline Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {0, 0, 0, 0})
        : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width * height), fill)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    Colour &at(int x, int y) { return m_pixels[static_cast<std::size_t>(y * m_width + x)]; }

    /// Paints every point for which `inside` holds with the colour `paint` gives for it.
    void fill(const std::function<bool(float, float)> &inside,
              const std::function<Colour(float, float)> &paint, float x0 = 0, float y0 = 0, float x1 = 1e9f,
              float y1 = 1e9f)
    {
        const int left = std::max(0, static_cast<int>(std::floor(x0)));
        const int top = std::max(0, static_cast<int>(std::floor(y0)));
        const int right = std::min(m_width, static_cast<int>(std::ceil(x1)));
        const int bottom = std::min(m_height, static_cast<int>(std::ceil(y1)));
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4) ? 1 : 0;
                if (hits == 0)
                    continue;
                Colour c = paint(x + 0.5f, y + 0.5f);
                c.a *= hits / 16.0f;
                blend(x, y, c);
            }
    }
    void fill(const std::function<bool(float, float)> &inside, Colour colour, float x0 = 0, float y0 = 0,
              float x1 = 1e9f, float y1 = 1e9f)
    {
        fill(
            inside, [colour](float, float) { return colour; }, x0, y0, x1, y1);
    }

    void rect(float x0, float y0, float x1, float y1, Colour c)
    {
        fill([=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, c, x0, y0, x1, y1);
    }
    void roundRect(float x0, float y0, float x1, float y1, float r, Colour c)
    {
        fill([=](float x, float y) { return insideRound(x, y, x0, y0, x1, y1, r); }, c, x0, y0, x1, y1);
    }
    void roundRectGradient(float x0, float y0, float x1, float y1, float r, Colour top, Colour bottom)
    {
        fill([=](float x, float y) { return insideRound(x, y, x0, y0, x1, y1, r); },
             [=](float, float y) { return mix(top, bottom, (y - y0) / std::max(1.0f, y1 - y0)); }, x0, y0, x1,
             y1);
    }
    void circle(float cx, float cy, float radius, Colour c)
    {
        fill([=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
             c, cx - radius, cy - radius, cx + radius, cy + radius);
    }
    void ring(float cx, float cy, float outer, float inner, Colour c)
    {
        fill(
            [=](float x, float y) {
                const float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                return d <= outer * outer && d >= inner * inner;
            },
            c, cx - outer, cy - outer, cx + outer, cy + outer);
    }
    /// A straight stroke with round ends.
    void line(float ax, float ay, float bx, float by, float widthPx, Colour c)
    {
        const float half = widthPx / 2;
        fill(
            [=](float x, float y) {
                const float dx = bx - ax, dy = by - ay;
                const float len2 = dx * dx + dy * dy;
                float t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
                t = std::clamp(t, 0.0f, 1.0f);
                const float px = ax + t * dx - x, py = ay + t * dy - y;
                return px * px + py * py <= half * half;
            },
            c, std::min(ax, bx) - half, std::min(ay, by) - half, std::max(ax, bx) + half,
            std::max(ay, by) + half);
    }
    void polygon(const std::vector<std::pair<float, float>> &points, Colour c)
    {
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (const auto &[px, py] : points) {
            x0 = std::min(x0, px);
            y0 = std::min(y0, py);
            x1 = std::max(x1, px);
            y1 = std::max(y1, py);
        }
        fill(
            [&points](float x, float y) {
                bool in = false;
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const auto [xi, yi] = points[i];
                    const auto [xj, yj] = points[j];
                    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                        in = !in;
                }
                return in;
            },
            c, x0, y0, x1, y1);
    }
    /// Sets a whole pixel without blending (for pixel-exact artwork).
    void pixel(int x, int y, Colour c)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            at(x, y) = c;
    }
    void pixelRect(int x0, int y0, int x1, int y1, Colour c)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                pixel(x, y, c);
    }

    /// Copies another canvas onto this one at (x, y), blending.
    void draw(const Canvas &other, int x, int y)
    {
        for (int sy = 0; sy < other.m_height; ++sy)
            for (int sx = 0; sx < other.m_width; ++sx)
                if (x + sx >= 0 && y + sy >= 0 && x + sx < m_width && y + sy < m_height)
                    blend(x + sx, y + sy, other.m_pixels[static_cast<std::size_t>(sy * other.m_width + sx)]);
    }

    image::testing::Pixels pixels() const
    {
        image::testing::Pixels out(m_width, m_height);
        for (std::size_t i = 0; i < m_pixels.size(); ++i) {
            const Colour &c = m_pixels[i];
            out.data[i] = {byte(c.r), byte(c.g), byte(c.b), byte(c.a)};
        }
        return out;
    }

private:
    static std::uint8_t byte(float v)
    {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
    }
    static bool insideRound(float x, float y, float x0, float y0, float x1, float y1, float r)
    {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        const float cx = std::clamp(x, x0 + r, x1 - r);
        const float cy = std::clamp(y, y0 + r, y1 - r);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    }
    void blend(int x, int y, Colour src)
    {
        Colour &dst = at(x, y);
        const float a = src.a + dst.a * (1 - src.a);
        if (a <= 0) {
            dst = {0, 0, 0, 0};
            return;
        }
        dst.r = (src.r * src.a + dst.r * dst.a * (1 - src.a)) / a;
        dst.g = (src.g * src.a + dst.g * dst.a * (1 - src.a)) / a;
        dst.b = (src.b * src.a + dst.b * dst.a * (1 - src.a)) / a;
        dst.a = a;
    }

    int m_width;
    int m_height;
    std::vector<Colour> m_pixels;
};

} // namespace kw::picturegen

// The drawing device on QPainter: bitmaps of every depth and row order land where the caller asked, stretched
// and combined as asked; palettes are bookkeeping.
#include "platform/QPainterDeviceContext.h"

#include "image/LayoutImage.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace kw::platform {
namespace {

using namespace kw::image;

constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kGreen = rgb(0, 255, 0);
constexpr Color kBlue = rgb(0, 0, 255);
constexpr Color kWhite = rgb(255, 255, 255);
constexpr QRgb kGrey = 0xFF808080u;

struct Dib {
    BitmapInfo info;
    std::vector<std::uint8_t> bits;
};

// A bitmap of the given depth whose pixel (x, y), y from the top, is `pixel(x, y)`: a colour for 24 and 32
// bits, a colour-table index otherwise.
Dib makeDib(int width, int height, int bitCount, bool topDown, const std::function<unsigned(int, int)> &pixel,
            std::vector<RgbQuad> colors = {})
{
    Dib dib;
    dib.info.header.width = width;
    dib.info.header.height = topDown ? -height : height;
    dib.info.header.bitCount = static_cast<std::uint16_t>(bitCount);
    dib.info.colors = std::move(colors);
    const std::size_t stride = dibStride(width, bitCount);
    dib.bits.assign(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = dib.bits.data() + static_cast<std::size_t>(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const unsigned v = pixel(x, y);
            switch (bitCount) {
            case 1:
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | ((v & 1u) << (7 - x % 8)));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            default: {
                const int bytes = bitCount / 8;
                row[bytes * x] = static_cast<std::uint8_t>(blueOf(v));
                row[bytes * x + 1] = static_cast<std::uint8_t>(greenOf(v));
                row[bytes * x + 2] = static_cast<std::uint8_t>(redOf(v));
                if (bytes == 4)
                    row[4 * x + 3] = static_cast<std::uint8_t>(v >> 24); // alpha
            }
            }
        }
    }
    return dib;
}

// Red, green / blue, white.
unsigned quadrants(int x, int y)
{
    return y == 0 ? (x == 0 ? kRed : kGreen) : (x == 0 ? kBlue : kWhite);
}

Color at(const QImage &image, int x, int y)
{
    return fromQColor(QColor(image.pixel(x, y)));
}

class DeviceTest : public ::testing::Test {
protected:
    QImage canvas{6, 6, QImage::Format_RGB32};
    void SetUp() override { canvas.fill(kGrey); }

    int draw(const Rect &destination, const Rect &source, const Dib &dib, RasterOp op = RasterOp::SrcCopy)
    {
        QPainter painter(&canvas);
        QPainterDeviceContext dc(painter);
        return dc.stretchDIBits(destination, source, dib.info, dib.bits, ColorUse::RgbColors, op);
    }
};

TEST_F(DeviceTest, AlphaOfThirtyTwoBitPicturesLetsTheBackgroundShow)
{
    // Transparent red, opaque green, half-transparent white, opaque blue: the canvas shows where the
    // picture is transparent. A picture whose alpha bytes are all zero (unused) stays opaque.
    const unsigned opaque = 0xFF000000u;
    const Dib dib = makeDib(2, 2, 32, false, [&](int x, int y) {
        if (y == 0)
            return x == 0 ? kRed : kGreen | opaque;
        return x == 0 ? kBlue | opaque : kWhite | 0x80000000u;
    });
    EXPECT_EQ(2, draw({1, 1, 2, 2}, {0, 0, 2, 2}, dib));
    EXPECT_EQ(kGrey, canvas.pixel(1, 1));
    EXPECT_EQ(kGreen, at(canvas, 2, 1));
    EXPECT_EQ(kBlue, at(canvas, 1, 2));
    const QColor blended(canvas.pixel(2, 2));
    EXPECT_NEAR(blended.red(), (255 + 0x80) / 2, 2);

    canvas.fill(kGrey);
    EXPECT_EQ(2, draw({1, 1, 2, 2}, {0, 0, 2, 2}, makeDib(2, 2, 32, false, quadrants)));
    EXPECT_EQ(kRed, at(canvas, 1, 1));
}

TEST_F(DeviceTest, EveryDepthAndRowOrderLandsUpright)
{
    struct Case {
        const char *name;
        Dib dib;
    };
    const std::vector<RgbQuad> table = {{255, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 255, 255, 0}};
    const auto indexOf = [](int x, int y) {
        return static_cast<unsigned>(y == 0 ? (x == 0 ? 1 : 2) : (x == 0 ? 0 : 3));
    };
    const Case cases[] = {
        {"24 bits bottom-up", makeDib(2, 2, 24, false, quadrants)},
        {"24 bits top-down", makeDib(2, 2, 24, true, quadrants)},
        {"32 bits bottom-up", makeDib(2, 2, 32, false, quadrants)},
        {"8 bits with colour table", makeDib(2, 2, 8, false, indexOf, table)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        canvas.fill(kGrey);
        EXPECT_EQ(2, draw({1, 1, 2, 2}, {0, 0, 2, 2}, c.dib));
        EXPECT_EQ(kRed, at(canvas, 1, 1));
        EXPECT_EQ(kGreen, at(canvas, 2, 1));
        EXPECT_EQ(kBlue, at(canvas, 1, 2));
        EXPECT_EQ(kWhite, at(canvas, 2, 2));
        EXPECT_EQ(kGrey, canvas.pixel(0, 0));
        EXPECT_EQ(kGrey, canvas.pixel(3, 3));
    }

    const Dib mono =
        makeDib(9, 1, 1, false, [](int x, int) { return x % 2u; }, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    EXPECT_EQ(1, draw({0, 5, 6, 1}, {3, 0, 6, 1}, mono));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ((x + 3) % 2 ? kWhite : rgb(0, 0, 0), at(canvas, x, 5)) << x;
}

TEST_F(DeviceTest, StretchesAndCutsTheSourceRectangle)
{
    const Dib dib = makeDib(2, 2, 24, false, quadrants);
    draw({0, 0, 4, 4}, {0, 0, 2, 2}, dib);
    EXPECT_EQ(kRed, at(canvas, 0, 0));
    EXPECT_EQ(kRed, at(canvas, 1, 1));
    EXPECT_EQ(kGreen, at(canvas, 2, 0));
    EXPECT_EQ(kBlue, at(canvas, 1, 3));
    EXPECT_EQ(kWhite, at(canvas, 3, 3));

    canvas.fill(kGrey);
    EXPECT_EQ(2, draw({5, 0, 1, 2}, {1, 0, 1, 2}, dib)); // the right column only
    EXPECT_EQ(kGreen, at(canvas, 5, 0));
    EXPECT_EQ(kWhite, at(canvas, 5, 1));
    EXPECT_EQ(kGrey, canvas.pixel(4, 0));
}

TEST_F(DeviceTest, RasterOperationsCombineWithTheDestination)
{
    const Dib red = makeDib(1, 1, 24, false, [](int, int) { return kRed; });
    draw({0, 0, 1, 1}, {0, 0, 1, 1}, red, RasterOp::SrcAnd);
    EXPECT_EQ(rgb(0x80, 0, 0), at(canvas, 0, 0));
    draw({1, 0, 1, 1}, {0, 0, 1, 1}, red, RasterOp::SrcInvert);
    EXPECT_EQ(rgb(0x7F, 0x80, 0x80), at(canvas, 1, 0));
    draw({2, 0, 1, 1}, {0, 0, 1, 1}, red, RasterOp::SrcPaint);
    EXPECT_EQ(rgb(0xFF, 0x80, 0x80), at(canvas, 2, 0));
    draw({3, 0, 1, 1}, {0, 0, 1, 1}, red, RasterOp::NotSrcCopy);
    EXPECT_EQ(rgb(0, 0xFF, 0xFF), at(canvas, 3, 0));
}

TEST_F(DeviceTest, UnusableInputDrawsNothing)
{
    Dib shortBits = makeDib(2, 2, 24, false, quadrants);
    shortBits.bits.resize(shortBits.bits.size() - 1);
    EXPECT_EQ(0, draw({0, 0, 2, 2}, {0, 0, 2, 2}, shortBits));
    Dib odd = makeDib(2, 2, 24, false, quadrants);
    odd.info.header.bitCount = 16;
    EXPECT_EQ(0, draw({0, 0, 2, 2}, {0, 0, 2, 2}, odd));
    const Dib fine = makeDib(2, 2, 24, false, quadrants);
    EXPECT_EQ(0, draw({0, 0, 2, 2}, {5, 5, 2, 2}, fine)) << "source outside the bitmap";
    EXPECT_EQ(0, draw({0, 0, 0, 2}, {0, 0, 2, 2}, fine)) << "empty destination";
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ASSERT_EQ(kGrey, canvas.pixel(x, y));
}

TEST(QPainterDevice, IsTrueColourWithBookkeepingPalettes)
{
    QImage canvas(4, 4, QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.setBackground(QColor(1, 2, 3));
    QPainterDeviceContext dc(painter);
    EXPECT_EQ(32, dc.bitsPerPixel());
    EXPECT_EQ(rgb(1, 2, 3), dc.backgroundColor());

    const PaletteHandle made = dc.createPalette({0x300, {{1, 2, 3, 0}}});
    const PaletteHandle halftone = dc.createHalftonePalette();
    EXPECT_NE(made, halftone);
    EXPECT_EQ(2u, dc.livePalettes());
    const PaletteHandle initial = dc.selectPalette(made, false);
    EXPECT_EQ(made, dc.selectPalette(initial, true));
    EXPECT_EQ(0u, dc.realizePalette());
    dc.deletePalette(made);
    dc.deletePalette(halftone);
    EXPECT_EQ(0u, dc.livePalettes());
    EXPECT_EQ(StretchMode::ColorOnColor, dc.setStretchMode(StretchMode::Halftone));
}

TEST(QPainterDevice, DrawsABuiltInPictureThroughTheImageObject)
{
    CLayoutImage picture;
    ASSERT_TRUE(picture.LoadFromResource("12061", 4)) << picture.lastError();
    QImage canvas(picture.Width() + 10, picture.Height() + 10, QImage::Format_RGB32);
    canvas.fill(kGrey);
    {
        QPainter painter(&canvas);
        QPainterDeviceContext dc(painter);
        EXPECT_EQ(picture.Height(),
                  picture.Draw(dc, 5, 5, picture.Width(), picture.Height(), 0, 0, picture.Width(),
                               picture.Height(), RasterOp::SrcCopy, PaletteMode::Logical));
    }
    for (const auto &[x, y] : {std::pair{0, 0},
                               {picture.Width() - 1, 0},
                               {picture.Width() / 2, picture.Height() / 2},
                               {0, picture.Height() - 1}}) {
        const RgbQuad expected = picture.bitmap().pixelAt(x, y);
        EXPECT_EQ(rgb(expected.red, expected.green, expected.blue), at(canvas, x + 5, y + 5))
            << x << "," << y;
    }
    EXPECT_EQ(kGrey, canvas.pixel(4, 4));
}

} // namespace
} // namespace kw::platform

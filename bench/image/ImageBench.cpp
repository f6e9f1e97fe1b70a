// image_bench: decodes the same pictures through CLayoutImage and through QImage, in megapixels per second.
// The pictures (1024 x 768) are made in memory: a photograph-like one for JPEG, true-colour PNG and 24-bit
// BMP, a flat graphic of 200 colours for GIF, palette PNG and 8-bit BMP.
#include "ImageWriters.h"
#include "image/ImageType.h"
#include "image/LayoutImage.h"
#include "image/SeekableFile.h"

#include <QCoreApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using namespace kw::image;
using testing::Bytes;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

testing::Pixels photo()
{
    testing::Pixels p(kWidth, kHeight);
    std::uint32_t seed = 7;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            auto channel = [&](double v) {
                return static_cast<std::uint8_t>(std::clamp(v + noise, 0.0, 255.0));
            };
            p.at(x, y) = {channel(128 + 90 * std::sin(x / 70.0) * std::cos(y / 90.0)),
                          channel(100 + 80 * std::sin((x + y) / 110.0)), channel(60 + 150.0 * y / kHeight),
                          255};
        }
    return p;
}

testing::Indexed graphic()
{
    std::vector<testing::Rgba> palette;
    for (int i = 0; i < 200; ++i)
        palette.push_back({static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 91),
                           static_cast<std::uint8_t>(255 - i), 255});
    testing::Indexed p(kWidth, kHeight, palette);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x - 512, dy = y - 384;
            const int ring = static_cast<int>(std::sqrt(dx * dx + dy * dy)) / 24;
            p.at(x, y) = static_cast<std::uint8_t>((ring * 7 + (x / 128) * 3 + (y / 96)) % 200);
        }
    return p;
}

struct Picture {
    const char *qtFormat;
    ImageType type;
    Bytes bytes;
};

const std::map<std::string, Picture> &pictures()
{
    static const std::map<std::string, Picture> all = [] {
        const testing::Pixels p = photo();
        const testing::Indexed g = graphic();
        testing::JpegOptions progressive;
        progressive.quality = 85;
        progressive.progressive = true;
        testing::BmpOptions bmp8;
        bmp8.bitsPerPixel = 8;
        testing::BmpOptions rle8 = bmp8;
        rle8.compression = testing::BmpCompression::Rle8;
        testing::PalettePngOptions palette;
        std::map<std::string, Picture> m;
        m["jpeg_baseline"] = {"JPEG", ImageType::Jpeg,
                              testing::encodeJpeg(p, {85, false, false, false, false})};
        m["jpeg_progressive"] = {"JPEG", ImageType::Jpeg, testing::encodeJpeg(p, progressive)};
        m["png_rgb"] = {"PNG", ImageType::Png, testing::encodePng(p, {})};
        m["png_palette"] = {"PNG", ImageType::Png, testing::encodePng(g, palette)};
        m["gif"] = {"GIF", ImageType::Gif, testing::encodeGif(g, {})};
        m["bmp_24"] = {"BMP", ImageType::Bmp, testing::encodeBmp(p, testing::BmpOptions{})};
        m["bmp_8"] = {"BMP", ImageType::Bmp, testing::encodeBmp(g, bmp8)};
        m["bmp_rle8"] = {"BMP", ImageType::Bmp, testing::encodeBmp(g, rle8)};
        return m;
    }();
    return all;
}

void setRate(benchmark::State &state, const Picture &picture)
{
    state.counters["MP/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6, benchmark::Counter::kIsRate);
    state.counters["KiB"] = static_cast<double>(picture.bytes.size()) / 1024.0;
}

void layoutImage(benchmark::State &state, const std::string &name)
{
    const Picture &picture = pictures().at(name);
    MemoryFile file(picture.bytes); // as the preview holds a picture's bytes
    for (auto _ : state) {
        CLayoutImage image;
        if (!image.LoadFromFile(&file, static_cast<int>(picture.type)))
            state.SkipWithError(image.lastError().c_str());
        benchmark::DoNotOptimize(image.bitmap().bits.data());
    }
    setRate(state, picture);
}

void qImage(benchmark::State &state, const std::string &name)
{
    const Picture &picture = pictures().at(name);
    for (auto _ : state) {
        QImage image;
        if (!image.loadFromData(picture.bytes.data(), static_cast<int>(picture.bytes.size()),
                                picture.qtFormat))
            state.SkipWithError("QImage could not decode the picture");
        benchmark::DoNotOptimize(image.constBits());
    }
    setRate(state, picture);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv); // lets QImage find its format plug-ins
    benchmark::Initialize(&argc, argv);
    for (const auto &[name, picture] : pictures()) {
        benchmark::RegisterBenchmark(("CLayoutImage/" + name).c_str(), layoutImage, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("QImage/" + name).c_str(), qImage, name)->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Test encoders for the picture formats.
#include "ImageWriters.h"

#include <gif_lib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <jerror.h>
#include <jpeglib.h>

namespace kw::image::testing {

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "image writer: %s\n", what);
    std::abort();
}

void put16(Bytes &out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void set32(Bytes &out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// PNG ----------------------------------------------------------------------------------------------------

[[noreturn]] void pngError(png_structp, png_const_charp text)
{
    fail(text);
}

void pngWarning(png_structp, png_const_charp) {}

void pngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto *out = static_cast<Bytes *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlush(png_structp) {}

/// Writes rows that are already laid out as libpng wants them (one byte per sample below 8 bits, packed
/// by libpng).
Bytes writePng(int width, int height, int bitDepth, int colorType, bool interlaced,
               const std::vector<std::vector<png_byte>> &rows, const std::vector<png_color> &palette,
               const std::vector<png_byte> &trnsAlpha, const png_color_16 *trnsColor)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &pngError, &pngWarning);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, &pngWrite, &pngFlush);
    png_set_benign_errors(png, 1); // tests write palette indices beyond the palette on purpose
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), bitDepth,
                 colorType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!trnsAlpha.empty() || trnsColor)
        png_set_tRNS(png, info, trnsAlpha.empty() ? nullptr : trnsAlpha.data(),
                     static_cast<int>(trnsAlpha.size()), trnsColor);
    png_write_info(png, info);
    if (bitDepth < 8)
        png_set_packing(png);
    std::vector<png_bytep> pointers;
    for (const auto &row : rows)
        pointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// JPEG ---------------------------------------------------------------------------------------------------

[[noreturn]] void jpegError(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    fail(text);
}

void jpegSilent(j_common_ptr, int) {}

// GIF ----------------------------------------------------------------------------------------------------

int gifWrite(GifFileType *gif, const GifByteType *data, int length)
{
    auto *out = static_cast<Bytes *>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

void gifCheck(int result, const char *what)
{
    if (result == GIF_ERROR)
        fail(what);
}

// BMP ----------------------------------------------------------------------------------------------------

std::size_t stride(int width, int bits)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

/// One row of run-length data: runs of equal pixels as counted runs, everything else as literal groups.
void encodeRleRow(const std::uint8_t *row, int width, bool fourBit, Bytes &out)
{
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 255 && row[x + run] == row[x])
            ++run;
        if (run >= 3 || width - x < 3) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(fourBit ? static_cast<std::uint8_t>((row[x] << 4) | row[x]) : row[x]);
            x += run;
            continue;
        }
        // A literal group: up to the next run of three equal pixels.
        int count = 0;
        while (x + count < width && count < 255) {
            if (x + count + 2 < width && row[x + count] == row[x + count + 1] &&
                row[x + count] == row[x + count + 2])
                break;
            ++count;
        }
        if (count < 3) { // too short for a literal group: single-pixel runs
            for (int i = 0; i < count; ++i) {
                out.push_back(1);
                out.push_back(fourBit ? static_cast<std::uint8_t>(row[x + i] << 4) : row[x + i]);
            }
            x += count;
            continue;
        }
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(count));
        Bytes literal;
        for (int i = 0; i < count; ++i) {
            if (!fourBit)
                literal.push_back(row[x + i]);
            else if (i % 2 == 0)
                literal.push_back(static_cast<std::uint8_t>(row[x + i] << 4));
            else
                literal.back() |= row[x + i];
        }
        if (literal.size() % 2 != 0)
            literal.push_back(0);
        out.insert(out.end(), literal.begin(), literal.end());
        x += count;
    }
    out.push_back(0);
    out.push_back(0);
}

Bytes bmpHeaders(int width, int height, int bits, const BmpOptions &options, std::size_t paletteEntries)
{
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 0); // file size, set at the end
    put32(out, 0);
    put32(out, 0); // pixel offset, set by the caller
    const bool core = options.headerSize == 12;
    put32(out, options.headerSize);
    if (core) {
        put16(out, static_cast<std::uint32_t>(width));
        put16(out, static_cast<std::uint32_t>(height));
        put16(out, 1);
        put16(out, static_cast<std::uint32_t>(bits));
        return out;
    }
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(options.topDown ? -height : height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, static_cast<std::uint32_t>(options.compression));
    put32(out, 0); // image size: may be 0 for uncompressed pictures
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(paletteEntries));
    put32(out, 0);
    const bool fields = options.compression == BmpCompression::BitFields;
    if (options.headerSize == 40) {
        if (fields)
            for (int i = 0; i < 3; ++i)
                put32(out, options.masks[static_cast<std::size_t>(i)]);
        return out;
    }
    for (int i = 0; i < 4; ++i)
        put32(out, fields ? options.masks[static_cast<std::size_t>(i)] : 0);
    out.resize(14 + options.headerSize, 0); // colour space fields of the longer headers stay zero
    return out;
}

Bytes finishBmp(Bytes out, std::size_t pixelOffset)
{
    set32(out, 2, static_cast<std::uint32_t>(out.size()));
    set32(out, 10, static_cast<std::uint32_t>(pixelOffset));
    return out;
}

} // namespace

void writeFile(const std::string &path, const Bytes &bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        fail(("cannot write " + path).c_str());
}

Bytes encodePng(const Pixels &pixels, const PngOptions &options)
{
    const bool wide = options.bitDepth == 16;
    int colorType = PNG_COLOR_TYPE_RGB;
    int channels = 3;
    switch (options.color) {
    case PngColor::Grey:
        colorType = PNG_COLOR_TYPE_GRAY;
        channels = 1;
        break;
    case PngColor::GreyAlpha:
        colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
        channels = 2;
        break;
    case PngColor::Rgb:
        break;
    case PngColor::Rgba:
        colorType = PNG_COLOR_TYPE_RGB_ALPHA;
        channels = 4;
        break;
    }
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(pixels.height));
    const int maxSample = (1 << std::min(options.bitDepth, 8)) - 1;
    for (int y = 0; y < pixels.height; ++y) {
        auto &row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < pixels.width; ++x) {
            const Rgba &p = pixels.at(x, y);
            std::uint8_t samples[4] = {p.r, p.g, p.b, p.a};
            if (channels == 1)
                samples[0] = static_cast<std::uint8_t>(p.r * maxSample / 255);
            if (channels == 2)
                samples[1] = p.a;
            for (int c = 0; c < channels; ++c) {
                row.push_back(samples[c]);
                if (wide)
                    row.push_back(samples[c]); // 16 bits: v * 257
            }
        }
    }
    png_color_16 trns{};
    const png_color_16 *trnsColor = nullptr;
    if (options.transparentGrey >= 0) {
        trns.gray = static_cast<png_uint_16>(options.transparentGrey);
        trnsColor = &trns;
    } else if (options.transparentRgb) {
        const int scale = wide ? 257 : 1;
        trns.red = static_cast<png_uint_16>(options.transparentColor.r * scale);
        trns.green = static_cast<png_uint_16>(options.transparentColor.g * scale);
        trns.blue = static_cast<png_uint_16>(options.transparentColor.b * scale);
        trnsColor = &trns;
    }
    return writePng(pixels.width, pixels.height, options.bitDepth, colorType, options.interlaced, rows, {},
                    {}, trnsColor);
}

Bytes encodePng(const Indexed &picture, const PalettePngOptions &options)
{
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            rows[static_cast<std::size_t>(y)].push_back(picture.at(x, y));
    std::vector<png_color> palette;
    for (const Rgba &c : picture.palette)
        palette.push_back({c.r, c.g, c.b});
    return writePng(picture.width, picture.height, options.bitDepth, PNG_COLOR_TYPE_PALETTE,
                    options.interlaced, rows, palette, options.alpha, nullptr);
}

Bytes encodeJpeg(const Pixels &pixels, const JpegOptions &options)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = &jpegError;
    errors.emit_message = &jpegSilent;
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(pixels.width);
    cinfo.image_height = static_cast<JDIMENSION>(pixels.height);
    cinfo.input_components = options.grey ? 1 : (options.cmyk ? 4 : 3);
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : (options.cmyk ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> script;
    if (options.scanPerCoefficientBit) {
        if (!options.grey)
            fail("a scan per coefficient bit needs a grey picture");
        auto scan = [&](int first, int last, int high, int low) {
            jpeg_scan_info info{};
            info.comps_in_scan = 1;
            info.component_index[0] = 0;
            info.Ss = first;
            info.Se = last;
            info.Ah = high;
            info.Al = low;
            script.push_back(info);
        };
        scan(0, 0, 0, 9);
        for (int bit = 9; bit >= 1; --bit)
            scan(0, 0, bit, bit - 1);
        for (int k = 1; k < 64; ++k) {
            scan(k, k, 0, 7);
            for (int bit = 7; bit >= 1; --bit)
                scan(k, k, bit, bit - 1);
        }
        cinfo.scan_info = script.data();
        cinfo.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(pixels.width * cinfo.input_components));
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const Rgba &p = pixels.at(x, y);
            JSAMPLE *out = &row[static_cast<std::size_t>(x * cinfo.input_components)];
            if (options.grey) {
                out[0] = p.r;
            } else if (options.cmyk) {
                // Adobe's inverted inks: 255 means no ink.
                out[0] = p.r;
                out[1] = p.g;
                out[2] = p.b;
                out[3] = 255;
            } else {
                out[0] = p.r;
                out[1] = p.g;
                out[2] = p.b;
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes encodeGif(const Indexed &picture, const GifOptions &options)
{
    int bits = 1;
    while ((1u << bits) < picture.palette.size())
        ++bits;
    std::vector<GifColorType> colors(std::size_t{1} << bits);
    for (std::size_t i = 0; i < picture.palette.size(); ++i)
        colors[i] = {picture.palette[i].r, picture.palette[i].g, picture.palette[i].b};
    ColorMapObject *map = GifMakeMapObject(1 << bits, colors.data());

    Bytes out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, &gifWrite, &error);
    if (!gif)
        fail("EGifOpen");
    EGifSetGifVersion(gif, true);
    const int screenWidth = options.screenWidth ? options.screenWidth : picture.width;
    const int screenHeight = options.screenHeight ? options.screenHeight : picture.height;
    gifCheck(EGifPutScreenDesc(gif, screenWidth, screenHeight, bits, options.backgroundIndex,
                               options.localColorMap ? nullptr : map),
             "EGifPutScreenDesc");
    if (options.transparentIndex >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = options.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        gifCheck(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
                 "EGifPutExtension");
    }
    gifCheck(EGifPutImageDesc(gif, options.left, options.top, picture.width, picture.height,
                              options.interlaced, options.localColorMap ? map : nullptr),
             "EGifPutImageDesc");
    std::vector<int> order;
    if (options.interlaced) {
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < picture.height; y += step[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < picture.height; ++y)
            order.push_back(y);
    }
    for (const int y : order) {
        std::vector<GifPixelType> line(picture.data.begin() + y * picture.width,
                                       picture.data.begin() + (y + 1) * picture.width);
        gifCheck(EGifPutLine(gif, line.data(), picture.width), "EGifPutLine");
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        fail("EGifCloseFile");
    GifFreeMapObject(map);
    return out;
}

Bytes encodeBmp(const Indexed &picture, const BmpOptions &options)
{
    const int bits = options.bitsPerPixel;
    const std::size_t entrySize = options.headerSize == 12 ? 3 : 4;
    Bytes out = bmpHeaders(picture.width, picture.height, bits, options, picture.palette.size());
    for (const Rgba &c : picture.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        if (entrySize == 4)
            out.push_back(0);
    }
    const std::size_t pixelOffset = out.size();
    auto storedRow = [&](int i) { return options.topDown ? i : picture.height - 1 - i; };
    if (options.compression == BmpCompression::Rle8 || options.compression == BmpCompression::Rle4) {
        for (int i = 0; i < picture.height; ++i)
            encodeRleRow(&picture.data[static_cast<std::size_t>(storedRow(i) * picture.width)], picture.width,
                         options.compression == BmpCompression::Rle4, out);
        out.push_back(0);
        out.push_back(1);
        return finishBmp(std::move(out), pixelOffset);
    }
    const std::size_t rowBytes = stride(picture.width, bits);
    for (int i = 0; i < picture.height; ++i) {
        Bytes row(rowBytes, 0);
        const int y = storedRow(i);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t v = picture.at(x, y);
            if (bits == 8)
                row[static_cast<std::size_t>(x)] = v;
            else if (bits == 4)
                row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
            else
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return finishBmp(std::move(out), pixelOffset);
}

Bytes encodeBmp(const Pixels &pixels, const BmpOptions &options)
{
    const int bits = options.bitsPerPixel;
    Bytes out = bmpHeaders(pixels.width, pixels.height, bits, options, 0);
    const std::size_t pixelOffset = out.size();
    const bool fields = options.compression == BmpCompression::BitFields;
    auto pack = [&](const Rgba &p) {
        if (!fields) {
            if (bits == 16)
                return static_cast<std::uint32_t>(((p.r >> 3) << 10) | ((p.g >> 3) << 5) | (p.b >> 3));
            return static_cast<std::uint32_t>((p.r << 16) | (p.g << 8) | p.b);
        }
        std::uint32_t value = 0;
        const std::uint8_t channel[4] = {p.r, p.g, p.b, p.a};
        for (int c = 0; c < 4; ++c) {
            const std::uint32_t mask = options.masks[static_cast<std::size_t>(c)];
            if (!mask)
                continue;
            int shift = 0;
            while (!((mask >> shift) & 1))
                ++shift;
            const std::uint32_t max = mask >> shift;
            value |= ((channel[c] * max + 127) / 255) << shift;
        }
        return value;
    };
    const std::size_t rowBytes = stride(pixels.width, bits);
    for (int i = 0; i < pixels.height; ++i) {
        const int y = options.topDown ? i : pixels.height - 1 - i;
        Bytes row;
        for (int x = 0; x < pixels.width; ++x) {
            const Rgba &p = pixels.at(x, y);
            if (bits == 24) {
                row.push_back(p.b);
                row.push_back(p.g);
                row.push_back(p.r);
            } else if (bits == 16) {
                put16(row, pack(p));
            } else {
                put32(row, pack(p));
            }
        }
        row.resize(rowBytes, 0);
        out.insert(out.end(), row.begin(), row.end());
    }
    return finishBmp(std::move(out), pixelOffset);
}

std::string encodeXbm(const Indexed &picture, const std::string &name, bool shortValues)
{
    const int valueBits = shortValues ? 16 : 8;
    std::ostringstream out;
    out << "#define " << name << "_width " << picture.width << "\n#define " << name << "_height "
        << picture.height << "\nstatic " << (shortValues ? "short " : "unsigned char ") << name
        << "_bits[] = {";
    int written = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x0 = 0; x0 < picture.width; x0 += valueBits) {
            unsigned value = 0;
            for (int b = 0; b < valueBits && x0 + b < picture.width; ++b)
                if (picture.at(x0 + b, y) != 0)
                    value |= 1u << b;
            char text[8];
            std::snprintf(text, sizeof text, shortValues ? "0x%04x" : "0x%02x", value);
            out << (written == 0 ? "\n   " : (written % 12 == 0 ? ",\n   " : ", ")) << text;
            ++written;
        }
    }
    out << "};\n";
    return out.str();
}

} // namespace kw::image::testing

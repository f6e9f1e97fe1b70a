// PNG reader on libpng.
//
// libpng reports errors by longjmp. The jumps stay inside the two small functions below that call libpng
// (readHeader and readPixels): they own no objects with destructors, keep their state in a plain struct,
// and report failure by returning false with libpng's message. Everything that owns memory lives outside
// them.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <png.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace kw::image {

namespace {

/// libpng's state and what the callbacks need; plain data only.
struct PngContext {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    char message[512] = {};
    char warning[256] = {}; // the latest warning, which often says what an error is about
};

/// What the header says about the picture.
struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int paletteSize = 0;
    std::array<png_color, 256> palette{};
    bool hasTrns = false;
    int trnsCount = 0;
    std::array<png_byte, 256> trnsAlpha{};
    png_color_16 trnsColor{};
};

/// How the pixels are to be delivered.
struct PngPlan {
    int bitsPerPixel = 0;
    bool packing = false;       // expand 2-bit samples to one byte each
    bool expandToAlpha = false; // palette to RGB and tRNS to alpha
    bool greyToRgb = false;
    bool strip16 = false;
    bool bgr = false;
};

[[noreturn]] void onError(png_structp png, png_const_charp text)
{
    auto *context = static_cast<PngContext *>(png_get_error_ptr(png));
    if (context->warning[0] != '\0')
        std::snprintf(context->message, sizeof context->message, "%s (%s)", text ? text : "PNG error",
                      context->warning);
    else
        std::snprintf(context->message, sizeof context->message, "%s", text ? text : "PNG error");
    png_longjmp(png, 1);
}

void onWarning(png_structp png, png_const_charp text)
{
    auto *context = static_cast<PngContext *>(png_get_error_ptr(png));
    std::snprintf(context->warning, sizeof context->warning, "%s", text ? text : "");
}

void onRead(png_structp png, png_bytep out, png_size_t length)
{
    auto *context = static_cast<PngContext *>(png_get_io_ptr(png));
    if (length > context->size - context->position)
        png_error(png, "Read Error: the PNG stream ends too early");
    std::memcpy(out, context->data + context->position, length);
    context->position += length;
}

bool readHeader(PngContext *context, PngHeader *header)
{
    png_structp png = context->png;
    png_infop info = context->info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, context, &onRead);
    // The size is checked against the decoding limits after the header, with a clearer message.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    // Text, colour profiles and suggested palettes play no part in showing the picture.
    static const png_byte kIgnored[] = {'t', 'E', 'X', 't', '\0', 'z', 'T', 'X', 't', '\0',
                                        'i', 'T', 'X', 't', '\0', 'i', 'C', 'C', 'P', '\0',
                                        's', 'P', 'L', 'T', '\0', 'e', 'X', 'I', 'f', '\0'};
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnored, 6);
    png_read_info(png, info);
    int interlace = 0;
    png_get_IHDR(png, info, &header->width, &header->height, &header->bitDepth, &header->colorType,
                 &interlace, nullptr, nullptr);
    png_colorp palette = nullptr;
    if (png_get_PLTE(png, info, &palette, &header->paletteSize) & PNG_INFO_PLTE) {
        if (header->paletteSize > 256)
            header->paletteSize = 256;
        std::memcpy(header->palette.data(), palette,
                    sizeof(png_color) * static_cast<std::size_t>(header->paletteSize));
    }
    png_bytep alpha = nullptr;
    png_color_16p color = nullptr;
    if (png_get_tRNS(png, info, &alpha, &header->trnsCount, &color) & PNG_INFO_tRNS) {
        header->hasTrns = true;
        if (header->trnsCount > 256)
            header->trnsCount = 256;
        if (alpha && header->colorType == PNG_COLOR_TYPE_PALETTE)
            std::memcpy(header->trnsAlpha.data(), alpha, static_cast<std::size_t>(header->trnsCount));
        if (color)
            header->trnsColor = *color;
    }
    return true;
}

bool readPixels(PngContext *context, const PngPlan *plan, png_bytepp rows, std::size_t stride)
{
    png_structp png = context->png;
    png_infop info = context->info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    if (plan->packing)
        png_set_packing(png);
    if (plan->expandToAlpha) {
        png_set_expand(png);
        png_set_tRNS_to_alpha(png);
    }
    if (plan->greyToRgb)
        png_set_gray_to_rgb(png);
    if (plan->strip16)
        png_set_strip_16(png);
    if (plan->bgr)
        png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) > stride ||
        static_cast<int>(png_get_bit_depth(png, info)) * png_get_channels(png, info) != plan->bitsPerPixel) {
        std::snprintf(context->message, sizeof context->message, "%s", "Unexpected PNG pixel layout");
        return false;
    }
    png_read_image(png, rows);
    return true;
}

/// Decides the delivered format and fills the colour map.
PngPlan planFor(const PngHeader &header, BitmapImage &image)
{
    PngPlan plan;
    plan.strip16 = header.bitDepth == 16;
    const int depth = header.bitDepth;
    auto indexedDepth = [](int bits) { return bits == 2 ? 8 : bits; };
    switch (header.colorType) {
    case PNG_COLOR_TYPE_PALETTE: {
        int transparent = -1;
        bool simple = true;
        if (header.hasTrns) {
            for (int i = 0; i < header.trnsCount && i < header.paletteSize; ++i) {
                const png_byte alpha = header.trnsAlpha[static_cast<std::size_t>(i)];
                if (alpha == 0 && transparent < 0)
                    transparent = i;
                else if (alpha != 255)
                    simple = false;
            }
        }
        if (!simple) {
            plan.expandToAlpha = true;
            plan.bgr = true;
            plan.bitsPerPixel = 32;
            return plan;
        }
        plan.packing = depth == 2;
        plan.bitsPerPixel = indexedDepth(depth);
        image.colorMap.resize(static_cast<std::size_t>(header.paletteSize));
        for (int i = 0; i < header.paletteSize; ++i) {
            const png_color &c = header.palette[static_cast<std::size_t>(i)];
            image.colorMap[static_cast<std::size_t>(i)] = {c.blue, c.green, c.red, 0};
        }
        image.transparentIndex = transparent;
        return plan;
    }
    case PNG_COLOR_TYPE_GRAY:
        if (depth == 16 && header.hasTrns) {
            plan.expandToAlpha = true;
            plan.greyToRgb = true;
            plan.bgr = true;
            plan.bitsPerPixel = 32;
            return plan;
        }
        plan.packing = depth == 2;
        plan.bitsPerPixel = indexedDepth(std::min(depth, 8));
        image.colorMap = greyColorMap(1 << std::min(depth, 8));
        if (header.hasTrns && header.trnsColor.gray < image.colorMap.size())
            image.transparentIndex = header.trnsColor.gray;
        return plan;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        plan.greyToRgb = true;
        plan.bgr = true;
        plan.bitsPerPixel = 32;
        return plan;
    case PNG_COLOR_TYPE_RGB:
        plan.bgr = true;
        plan.expandToAlpha = header.hasTrns;
        plan.bitsPerPixel = header.hasTrns ? 32 : 24;
        return plan;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        plan.bgr = true;
        plan.bitsPerPixel = 32;
        return plan;
    default:
        throw EPngError("Unknown PNG colour type " + std::to_string(header.colorType));
    }
}

/// libpng's structures for one picture, released whatever happens.
class PngReadStruct {
public:
    explicit PngReadStruct(PngContext &context) : m_context(context)
    {
        context.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, &onError, &onWarning);
        if (context.png)
            context.info = png_create_info_struct(context.png);
        if (!context.png || !context.info)
            throw EPngError("Cannot set up the PNG reader");
    }
    ~PngReadStruct()
    {
        png_destroy_read_struct(&m_context.png, m_context.info ? &m_context.info : nullptr, nullptr);
    }
    PngReadStruct(const PngReadStruct &) = delete;
    PngReadStruct &operator=(const PngReadStruct &) = delete;

private:
    PngContext &m_context;
};

} // namespace

BitmapImage readPng(std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    PngContext context;
    context.data = data.data();
    context.size = data.size();
    PngReadStruct guard(context);

    PngHeader header;
    if (!readHeader(&context, &header))
        throw EPngError(context.message);
    context.warning[0] = '\0';
    if (!limits.allows(header.width, header.height))
        throw EPngError(limits.refusal(header.width, header.height));

    BitmapImage image;
    const PngPlan plan = planFor(header, image);
    image.allocate(static_cast<int>(header.width), static_cast<int>(header.height), plan.bitsPerPixel);
    std::vector<png_bytep> rows(header.height);
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<std::size_t>(y)] = image.rowFromTop(y);
    if (!readPixels(&context, &plan, rows.data(), image.stride()))
        throw EPngError(context.message);
    return image;
}

} // namespace kw::image

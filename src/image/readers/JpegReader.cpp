// JPEG reader on libjpeg-turbo.
//
// libjpeg reports errors through error_exit, which must not return. Here it longjmps back into one of the
// two small functions that call the library (readHeader and readPixels); they own no objects with
// destructors and report failure by returning false with the library's message, which the C++ code
// around them turns into an exception. Warnings that mean damaged or missing data are treated as errors,
// so a truncated picture fails instead of showing grey rows.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h first: jerror.h depends on its configuration.
#include <jpeglib.h>

#include <jerror.h>

namespace kw::image {

namespace {

/// Progressive pictures that need more scans than this are refused: real ones use about ten, and
/// every scan walks the whole picture again.
constexpr int kMaxScans = 500;

struct JpegContext {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errorManager;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int messageCode;
    bool ownMessage; // the message is ours (too many scans), not the library's
    bool created;
    const std::uint8_t *data;
    std::size_t size;
    long maxMemory;
    bool cmyk;
};

JpegContext *contextOf(j_common_ptr cinfo)
{
    return static_cast<JpegContext *>(cinfo->client_data);
}

[[noreturn]] void onError(j_common_ptr cinfo)
{
    JpegContext *context = contextOf(cinfo);
    (*cinfo->err->format_message)(cinfo, context->message);
    context->messageCode = cinfo->err->msg_code;
    std::longjmp(context->jump, 1);
}

bool damagesData(int code)
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
#if JPEG_LIB_VERSION >= 70 || defined(C_ARITH_CODING_SUPPORTED) || defined(D_ARITH_CODING_SUPPORTED)
    case JWRN_ARITH_BAD_CODE:
#endif
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        return true;
    default:
        return false;
    }
}

void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && damagesData(cinfo->err->msg_code))
        onError(cinfo);
}

void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr cinfo)
{
    auto *decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number <= kMaxScans)
        return;
    JpegContext *context = contextOf(cinfo);
    std::snprintf(context->message, sizeof context->message,
                  "Too many scans (more than %d) in the JPEG stream", kMaxScans);
    context->ownMessage = true;
    std::longjmp(context->jump, 1);
}

bool readHeader(JpegContext *context)
{
    j_decompress_ptr cinfo = &context->cinfo;
    if (setjmp(context->jump))
        return false;
    cinfo->client_data = context;
    cinfo->err = jpeg_std_error(&context->errorManager);
    context->errorManager.error_exit = &onError;
    context->errorManager.emit_message = &onMessage;
    context->errorManager.output_message = &onOutput;
    jpeg_create_decompress(cinfo);
    context->created = true;
    cinfo->mem->max_memory_to_use = context->maxMemory;
    context->progress.progress_monitor = &onProgress;
    cinfo->progress = &context->progress;
    jpeg_mem_src(cinfo, context->data, static_cast<unsigned long>(context->size));
    jpeg_read_header(cinfo, TRUE);
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo->out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        context->cmyk = true;
        break;
    default:
        cinfo->out_color_space = JCS_EXT_BGR;
        break;
    }
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

/// Turns one row of CMYK samples into blue, green, red. Adobe's writers store the inks inverted.
void cmykToBgr(const JSAMPLE *cmyk, std::uint8_t *bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<std::uint8_t>(y * k / 255);
        bgr[1] = static_cast<std::uint8_t>(m * k / 255);
        bgr[2] = static_cast<std::uint8_t>(c * k / 255);
    }
}

bool readPixels(JpegContext *context, std::uint8_t **rows, JSAMPLE *cmykRow, JDIMENSION expectedComponents)
{
    j_decompress_ptr cinfo = &context->cinfo;
    if (setjmp(context->jump))
        return false;
    jpeg_start_decompress(cinfo);
    if (static_cast<JDIMENSION>(cinfo->output_components) != expectedComponents) {
        std::snprintf(context->message, sizeof context->message, "%s", "Unexpected JPEG pixel layout");
        context->ownMessage = true;
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION line = cinfo->output_scanline;
        JSAMPROW target = context->cmyk ? cmykRow : rows[line];
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) {
            std::snprintf(context->message, sizeof context->message, "%s", "JPEG data ended early");
            context->ownMessage = true;
            return false;
        }
        if (context->cmyk)
            cmykToBgr(cmykRow, rows[line], cinfo->output_width, cinfo->saw_Adobe_marker);
    }
    return true;
}

bool isFatal(int code)
{
    switch (code) {
    case JERR_OUT_OF_MEMORY:
    case JERR_BAD_ALLOC_CHUNK:
    case JERR_VIRTUAL_BUG:
    case JERR_NO_BACKING_STORE:
    case JERR_TFILE_CREATE:
    case JERR_TFILE_READ:
    case JERR_TFILE_SEEK:
    case JERR_TFILE_WRITE:
    case JERR_NOT_COMPILED:
    case JERR_BAD_LIB_VERSION:
    case JERR_BAD_STRUCT_SIZE:
    case JERR_BAD_POOL_ID:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void throwFailure(const JpegContext &context)
{
    if (!context.ownMessage && isFatal(context.messageCode))
        throw EJpegFatal(context.message);
    throw EJpegBadData(context.message);
}

/// Owns the decompressor for one picture.
class Decompressor {
public:
    Decompressor(std::span<const std::uint8_t> data, const DecodeLimits &limits)
    {
        std::memset(&m_context, 0, sizeof m_context);
        m_context.data = data.data();
        m_context.size = data.size();
        // Room for the whole-picture coefficient buffers of a progressive picture at the size limit.
        m_context.maxMemory = static_cast<long>(limits.maxPixels * 8 + 64 * 1024 * 1024);
    }
    ~Decompressor()
    {
        if (m_context.created)
            jpeg_destroy_decompress(&m_context.cinfo);
    }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    JpegContext &context() { return m_context; }

private:
    JpegContext m_context;
};

} // namespace

BitmapImage readJpeg(std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    Decompressor decompressor(data, limits);
    JpegContext &context = decompressor.context();
    if (!readHeader(&context))
        throwFailure(context);
    const jpeg_decompress_struct &cinfo = context.cinfo;
    if (!limits.allows(cinfo.output_width, cinfo.output_height))
        throw EJpegError(limits.refusal(cinfo.output_width, cinfo.output_height));

    BitmapImage image;
    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    if (grey)
        image.colorMap = greyColorMap(256);
    image.allocate(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   grey ? 8 : 24);
    std::vector<std::uint8_t *> rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<std::size_t>(y)] = image.rowFromTop(y);
    std::vector<JSAMPLE> cmykRow(context.cmyk ? std::size_t{4} * cinfo.output_width : 0);
    const JDIMENSION components = grey ? 1 : (context.cmyk ? 4 : 3);
    if (!readPixels(&context, rows.data(), cmykRow.data(), components))
        throwFailure(context);
    return image;
}

} // namespace kw::image

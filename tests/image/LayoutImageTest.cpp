// The image object: loading from files and resources, its error texts, and drawing into a device.
#include "image/LayoutImage.h"
#include "TestPictures.h"
#include "image/ImageType.h"
#include "image/RecordingDeviceContext.h"
#include "image/ResourceProvider.h"
#include "image/SeekableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <unistd.h>

namespace kw::image {
namespace {

using namespace testing;

/// A file whose reads fail with a given exception.
template <class Error> class FailingFile final : public SeekableFile {
public:
    explicit FailingFile(Error error, std::uint64_t length = 10) : m_error(std::move(error)), m_length(length)
    {
    }
    std::size_t read(std::span<std::uint8_t>) override { throw m_error; }
    std::uint64_t seek(std::int64_t, SeekOrigin) override { return 0; }
    std::uint64_t position() const override { return 0; }
    std::uint64_t length() const override { return m_length; }

private:
    Error m_error;
    std::uint64_t m_length;
};

bool load(CLayoutImage &image, const Bytes &bytes, ImageType type)
{
    MemoryFile file(bytes);
    return image.LoadFromFile(&file, static_cast<int>(type));
}

Bytes gifWithTransparency()
{
    Indexed picture = stripes(6, 4, 4);
    picture.at(0, 0) = 2;
    GifOptions options;
    options.transparentIndex = 2;
    return encodeGif(picture, options);
}

// The self-check finds an index beyond a short colour map in every palette depth, wherever it lies in
// the row, and has nothing to find when the map holds every index the bits can express.
TEST(BitmapImage, IndicesBeyondTheColourMapAreFound)
{
    for (const int bpp : {1, 4, 8}) {
        for (const int column : {0, 6, 12}) {
            BitmapImage picture;
            picture.allocate(13, 3, bpp);
            picture.colorMap.assign(1, RgbQuad{});
            EXPECT_EQ(picture.invariantViolation(), "") << bpp;
            std::vector<std::uint8_t> indices(13, 0);
            indices[static_cast<std::size_t>(column)] = 1;
            packIndices(indices, bpp, picture.rowFromTop(2));
            EXPECT_EQ(picture.invariantViolation(), "index out of range at " + std::to_string(column) + ",2")
                << bpp;
            picture.colorMap.assign(std::size_t{1} << bpp, RgbQuad{});
            EXPECT_EQ(picture.invariantViolation(), "") << bpp;
        }
    }
}

TEST(LayoutImage, NothingIsReadForANullFileOrAnUnknownType)
{
    CLayoutImage image;
    ASSERT_FALSE(load(image, {}, ImageType::Gif)); // leaves a text behind
    const std::string before = image.lastError();
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(load(image, encodeGif(stripes(3, 3, 2), {}), ImageType::Gif));

    EXPECT_FALSE(image.LoadFromFile(nullptr, 3));
    for (const int type : {0, 6, -1, 99}) {
        MemoryFile file(encodeGif(stripes(3, 3, 2), {}));
        EXPECT_FALSE(image.LoadFromFile(&file, type)) << type;
        EXPECT_EQ(file.position(), 0u) << "nothing read for type " << type;
    }
    EXPECT_EQ(image.lastError(), before);
    EXPECT_EQ(image.Width(), 3) << "the picture loaded before stays";
}

TEST(LayoutImage, FailuresLeaveTheReadersTextAndAnEmptyPicture)
{
    struct Case {
        ImageType type;
        Bytes bytes;
        std::string text;
    };
    const Case cases[] = {
        {ImageType::Bmp, {}, "Error reading BMP input file"},
        {ImageType::Jpeg, {}, "Empty input file"},
        {ImageType::Gif, {}, "Error reading from GIF file"},
        {ImageType::Png, {}, "Read Error: the PNG stream ends too early"},
        {ImageType::Xbm, {}, "Invalid XBM Format"},
        {ImageType::Gif, encodePng(gradient(4, 4), {}), "Stream is not in GIF format"},
        {ImageType::Bmp, encodeGif(stripes(4, 4, 2), {}), "Not a Windows Bitmap stream"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        CLayoutImage image;
        ASSERT_TRUE(load(image, encodePng(gradient(5, 5), {}), ImageType::Png));
        EXPECT_FALSE(load(image, c.bytes, c.type));
        EXPECT_EQ(image.lastError(), c.text);
        EXPECT_EQ(image.Width(), 0);
        EXPECT_EQ(image.Height(), 0);
    }
}

TEST(LayoutImage, FileErrorsAndOtherExceptions)
{
    CLayoutImage image;
    // A file error's text is cut at 256 bytes, not inside a UTF-8 character.
    std::string text(255, 'x');
    text += "\xC3\xA4 and more";
    FailingFile<FileError> failing(FileError{text});
    EXPECT_FALSE(image.LoadFromFile(&failing, 4));
    EXPECT_EQ(image.lastError(), std::string(255, 'x'));

    FailingFile<std::runtime_error> strange(std::runtime_error("strange"));
    EXPECT_FALSE(image.LoadFromFile(&strange, 4));
    EXPECT_EQ(image.lastError(), "unknown error reading image");

    FailingFile<FileError> huge(FileError{"never read"}, kMaxPictureFileSize + 1);
    EXPECT_FALSE(image.LoadFromFile(&huge, 4));
    EXPECT_EQ(image.lastError(),
              "The picture file is too large (268435457 bytes; at most 268435456 bytes are read)");
}

TEST(LayoutImage, ReadsTheWholeFileWhereverItIsPositioned)
{
    MemoryFile file(encodePng(gradient(7, 3), {}));
    file.seek(0, SeekOrigin::End);
    CLayoutImage image;
    ASSERT_TRUE(image.LoadFromFile(&file, 4)) << image.lastError();
    EXPECT_EQ(image.Width(), 7);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(image.lastError(), "");

    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("kw_layout_image_test_" + std::to_string(getpid()) + ".bmp");
    writeFile(path.string(), encodeBmp(gradient(9, 2), BmpOptions{}));
    DiskFile disk(path);
    ASSERT_TRUE(image.LoadFromFile(&disk, KwGetImageType(path.string()))) << image.lastError();
    EXPECT_EQ(image.Width(), 9);
    std::filesystem::remove(path);
}

TEST(LayoutImage, BuiltinPictures)
{
    struct Case {
        const char *name;
        ImageType type;
        int width;
        int height;
        bool magentaCorner; // a transparent key in the top-left pixel
        int transparentIndex;
    };
    const Case cases[] = {
        {"12000", ImageType::Bmp, 96, 15, true, -1},    {"12002", ImageType::Gif, 16, 16, false, 0},
        {"12024", ImageType::Bmp, 32, 16, true, -1},    {"12038", ImageType::Bmp, 432, 18, true, -1},
        {"12061", ImageType::Png, 256, 160, false, -1}, {"12065", ImageType::Bmp, 16, 16, true, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CLayoutImage image;
        ASSERT_TRUE(image.LoadFromResource(c.name, static_cast<int>(c.type))) << image.lastError();
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.bitmap().transparentIndex, c.transparentIndex);
        EXPECT_EQ(image.bitmap().pixelAt(0, 0) == (RgbQuad{255, 0, 255, 255}), c.magentaCorner);
    }
    CLayoutImage image;
    EXPECT_FALSE(image.LoadFromResource("12061", static_cast<int>(ImageType::Gif))) << "the PNG is not a GIF";
    EXPECT_FALSE(image.LoadFromResource("99999", static_cast<int>(ImageType::Png)));
    EXPECT_EQ(image.lastError(), "") << "a missing resource is not a load failure";
}

TEST(LayoutImage, ResourcesAreFoundByTheTypeName)
{
    class Recording final : public ResourceProvider {
    public:
        std::span<const std::uint8_t> find(std::string_view name, std::string_view type) const override
        {
            asked.emplace_back(name, type);
            return bytes;
        }
        Bytes bytes;
        mutable std::vector<std::pair<std::string, std::string>> asked;
    };
    Recording provider;
    provider.bytes = encodeGif(stripes(5, 5, 4), {});
    CLayoutImage image;
    for (int type = 0; type <= 6; ++type)
        image.LoadFromResource(provider, "7", type);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"7", "10"}, {"7", "BMP"}, {"7", "JPEG"}, {"7", "GIF"}, {"7", "PNG"}, {"7", "XBM"}, {"7", "10"}};
    EXPECT_EQ(provider.asked, expected);
    EXPECT_EQ(image.Width(), 0) << "the last load was of type 6, which reads nothing";
    EXPECT_TRUE(image.LoadFromResource(provider, "7", 3));
    EXPECT_EQ(image.Width(), 5);
}

TEST(LayoutImage, DemoPicturesDecode)
{
    struct Case {
        const char *file;
        int width;
        int height;
        int bitsPerPixel;
        bool transparent;
    };
    const Case cases[] = {
        {"backgrnd_CornerImage.gif", 150, 55, 8, false},
        {"logo.png", 180, 60, 32, false},
        {"header.jpg", 400, 60, 24, false},
        {"bullet_big.gif", 9, 9, 4, true},
        {"bullet_small.gif", 7, 7, 4, true},
        {"item.gif", 8, 8, 4, true},
        {"separator.gif", 2, 12, 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(KW_RES_DIR) + "/demo/" + c.file;
        DiskFile file(path);
        CLayoutImage image;
        ASSERT_TRUE(image.LoadFromFile(&file, KwGetImageType(c.file))) << image.lastError();
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.bitmap().bitsPerPixel, c.bitsPerPixel);
        EXPECT_EQ(image.bitmap().transparentIndex >= 0, c.transparent);
    }
}

TEST(ImageTypeOfContents, EachFormatIsKnownByItsSignatureWhateverItsName)
{
    const Indexed bits = stripes(8, 4, 2);
    const std::string xbm = "/* made by hand */\n  " + encodeXbm(bits, "x");
    const struct {
        Bytes bytes;
        ImageType type;
    } cases[] = {
        {encodeBmp(gradient(4, 4), BmpOptions{}), ImageType::Bmp},
        {encodeJpeg(gradient(8, 8), JpegOptions{}), ImageType::Jpeg},
        {encodeGif(stripes(4, 4, 4), GifOptions{}), ImageType::Gif},
        {encodePng(gradient(4, 4), PngOptions{}), ImageType::Png},
        {Bytes(xbm.begin(), xbm.end()), ImageType::Xbm},
        {bytesOf("GIF90a"), ImageType::Unknown},
        {bytesOf("/* never closed #define"), ImageType::Unknown},
        {bytesOf("<%@ Language=VBScript %>"), ImageType::Unknown},
        {Bytes{}, ImageType::Unknown},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imageTypeOfContents(c.bytes), c.type) << static_cast<int>(c.type);
}

// Drawing ------------------------------------------------------------------------------------------------

TEST(LayoutImageDraw, NothingIsDrawnBeforeASuccessfulLoad)
{
    RecordingDeviceContext dc;
    CLayoutImage image;
    EXPECT_EQ(image.Draw(dc, 0, 0, 10, 10, 0, 0, 10, 10, RasterOp::SrcCopy, PaletteMode::Logical), 0);
    load(image, bytesOf("GIF89a broken"), ImageType::Gif);
    EXPECT_EQ(image.Draw(dc, 0, 0, 10, 10, 0, 0, 10, 10, RasterOp::SrcCopy, PaletteMode::Logical), 0);
    EXPECT_TRUE(dc.calls().empty());
}

TEST(LayoutImageDraw, PaletteModesAndTheTrueColourRule)
{
    using Names = std::vector<std::string_view>;
    const Names direct = {"stretchDIBits"};
    const Names logical = {"createPalette", "selectPalette",  "realizePalette", "stretchDIBits",
                           "selectPalette", "realizePalette", "deletePalette"};
    const Names halftone = {"createHalftonePalette", "selectPalette",  "realizePalette",
                            "setStretchMode",        "stretchDIBits",  "setStretchMode",
                            "selectPalette",         "realizePalette", "deletePalette"};
    struct Case {
        const char *name;
        bool trueColourPicture;
        int deviceBits;
        PaletteMode mode;
        Names calls;
        std::size_t paletteEntries;
    };
    const Case cases[] = {
        {"32-bit device, logical asked", false, 32, PaletteMode::Logical, direct, 0},
        {"32-bit device, halftone asked", false, 32, PaletteMode::Halftone, direct, 0},
        {"deeper device, logical asked", false, 48, PaletteMode::Logical, direct, 0},
        {"8-bit device, no palette", false, 8, PaletteMode::None, direct, 0},
        {"8-bit device, logical", false, 8, PaletteMode::Logical, logical, 16},
        {"2-bit device, logical", false, 2, PaletteMode::Logical, logical, 4},
        {"24-bit device, logical", false, 24, PaletteMode::Logical, logical, 16},
        {"8-bit device, halftone", false, 8, PaletteMode::Halftone, halftone, 0},
        {"true-colour picture, logical", true, 8, PaletteMode::Logical, direct, 0},
    };
    const Indexed source = stripes(10, 6, 16);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CLayoutImage image;
        ASSERT_TRUE(c.trueColourPicture ? load(image, encodePng(gradient(10, 6), {}), ImageType::Png)
                                        : load(image, encodeGif(source, {}), ImageType::Gif));
        RecordingDeviceContext dc;
        dc.setBitsPerPixel(c.deviceBits);
        EXPECT_EQ(image.Draw(dc, 1, 2, 20, 12, 0, 0, 10, 6, RasterOp::SrcCopy, c.mode), 6);
        EXPECT_EQ(dc.callNames(), c.calls);
        EXPECT_EQ(dc.livePalettes(), 0u);
        EXPECT_EQ(dc.currentPalette(), RecordingDeviceContext::kDefaultPalette);
        EXPECT_EQ(dc.stretchMode(), StretchMode::ColorOnColor);

        const auto created = dc.callsOf<recorded::CreatePalette>();
        if (c.paletteEntries > 0) {
            ASSERT_EQ(created.size(), 1u);
            const LogicalPalette &palette = created[0].palette;
            EXPECT_EQ(palette.version, 0x300);
            ASSERT_EQ(palette.entries.size(), c.paletteEntries);
            for (std::size_t i = 0; i < c.paletteEntries; ++i)
                EXPECT_EQ(palette.entries[i],
                          (PaletteEntry{source.palette[i].r, source.palette[i].g, source.palette[i].b, 0}));
            const auto selected = dc.callsOf<recorded::SelectPalette>();
            EXPECT_EQ(selected[0].palette, created[0].result);
            EXPECT_FALSE(selected[0].forceBackground);
        }
        const auto stretched = dc.callsOf<recorded::StretchDIBits>();
        ASSERT_EQ(stretched.size(), 1u);
        if (c.mode == PaletteMode::Halftone && c.deviceBits < 32) {
            EXPECT_EQ(stretched[0].stretchMode, StretchMode::Halftone);
        }
    }
}

TEST(LayoutImageDraw, StretchCallCarriesTheBitmap)
{
    CLayoutImage image;
    ASSERT_TRUE(load(image, encodeGif(stripes(10, 6, 16), {}), ImageType::Gif));
    RecordingDeviceContext dc;
    EXPECT_EQ(image.Draw(dc, 5, 7, 40, 30, 2, 1, 8, 4, RasterOp::SrcAnd, PaletteMode::None), 4);
    const auto calls = dc.callsOf<recorded::StretchDIBits>();
    ASSERT_EQ(calls.size(), 1u);
    const recorded::StretchDIBits &call = calls[0];
    EXPECT_EQ(call.destination, (Rect{5, 7, 40, 30}));
    EXPECT_EQ(call.source, (Rect{2, 1, 8, 4}));
    EXPECT_EQ(call.operation, RasterOp::SrcAnd);
    EXPECT_EQ(call.usage, ColorUse::RgbColors);
    BitmapInfoHeader header;
    header.width = 10;
    header.height = 6;
    header.bitCount = 4;
    header.clrUsed = 16;
    EXPECT_EQ(call.info.header, header);
    EXPECT_EQ(call.info.colors, image.bitmap().colorMap);
    EXPECT_EQ(call.bits, image.bitmap().bits);
}

TEST(LayoutImageDraw, TransparentPixelsTakeTheBackgroundColour)
{
    CLayoutImage image;
    ASSERT_TRUE(load(image, gifWithTransparency(), ImageType::Gif));
    const std::vector<RgbQuad> ownMap = image.bitmap().colorMap;
    for (const Color background : {rgb(255, 255, 255), rgb(200, 10, 30)}) {
        RecordingDeviceContext dc;
        dc.setBackgroundColor(background);
        image.Draw(dc, 0, 0, 6, 4, 0, 0, 6, 4, RasterOp::SrcCopy, PaletteMode::Logical);
        const recorded::StretchDIBits call = dc.callsOf<recorded::StretchDIBits>().at(0);
        EXPECT_EQ(dibPixel(call.info, call.bits, 0, 0), background) << "a transparent pixel";
        const RgbQuad opaque = ownMap[static_cast<std::size_t>(image.bitmap().indexAt(1, 0))];
        EXPECT_EQ(dibPixel(call.info, call.bits, 1, 0), rgb(opaque.red, opaque.green, opaque.blue));
    }
    EXPECT_EQ(image.bitmap().colorMap, ownMap) << "drawing leaves the picture's own colours alone";
}

} // namespace
} // namespace kw::image

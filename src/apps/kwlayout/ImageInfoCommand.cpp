// `kwlayout image-info FILE`: decodes a picture from disk and prints what the image object made of it.
#include "Commands.h"

#include "image/ImageType.h"
#include "image/LayoutImage.h"
#include "image/SeekableFile.h"

#include <iostream>
#include <memory>

namespace kw::cli {

int imageInfo(const Invocation &invocation, std::ostream &out)
{
    const std::string &fileName = invocation.args.at(0);
    const int type = image::KwGetImageType(fileName);
    if (type == 0) {
        std::cerr << "kwlayout: " << fileName
                  << ": not a picture type (.bmp, .jpg, .jpeg, .jpe, .gif, .png, .xbm)\n";
        return 1;
    }
    std::unique_ptr<image::DiskFile> file;
    try {
        file = std::make_unique<image::DiskFile>(fileName);
    } catch (const image::FileError &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
        return 1;
    }
    image::CLayoutImage picture;
    if (!picture.LoadFromFile(file.get(), type)) {
        std::cerr << "kwlayout: " << fileName << ": " << picture.lastError() << "\n";
        return 1;
    }
    const image::BitmapImage &bitmap = picture.bitmap();
    out << "type=" << type << " width=" << bitmap.width << " height=" << bitmap.height
        << " bpp=" << bitmap.bitsPerPixel << " colors=" << bitmap.colorCount()
        << " transparent=" << bitmap.transparentIndex << "\n";
    return 0;
}

} // namespace kw::cli

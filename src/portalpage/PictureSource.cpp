// Loading the preview's pictures from the portal.
#include "portalpage/PictureSource.h"

#include "image/ImageType.h"
#include "image/SeekableFile.h"
#include "server/PortalAccess.h"

namespace kw::portalpage {

using namespace kw::server;

PictureSource::PictureSource(Environment env, const image::ResourceProvider &resources)
    : m_env(std::move(env)), m_resources(resources)
{
}

IServerFolder *PictureSource::companyImages()
{
    if (!m_env.factory)
        return nullptr;
    if (!m_folder) {
        PortalConnection connection(*m_env.factory, m_env.session);
        m_folder = connection.folder(folders::CompanyImages);
    }
    return m_folder.get();
}

void PictureSource::loadPlaceholder(std::unique_ptr<image::CLayoutImage> &picture)
{
    auto loaded = std::make_unique<image::CLayoutImage>();
    ++m_decodes;
    loaded->LoadFromResource(m_resources, kPlaceholderPicture, static_cast<int>(image::ImageType::Gif));
    picture = std::move(loaded);
}

PictureSource::Outcome PictureSource::load(const std::string &name,
                                           std::unique_ptr<image::CLayoutImage> &picture, int *type)
{
    if (name.empty())
        return Outcome::Nothing;
    auto loaded = std::make_unique<image::CLayoutImage>();
    IServerFolder *folder = companyImages();
    if (!folder || !folder->HasFile(name)) {
        loadPlaceholder(picture);
        return Outcome::Placeholder;
    }
    Ref<IServerFile> file = folder->GetFile(name, ModeRead);
    image::MemoryFile memory(file->GetBytes(), 1024);
    const int fileType = image::KwGetImageType(name);
    ++m_decodes;
    loaded->LoadFromFile(&memory, fileType); // a failure leaves the new image empty
    picture = std::move(loaded);
    if (type)
        *type = fileType;
    return Outcome::File;
}

} // namespace kw::portalpage

// Where the preview's pictures come from: the portal's folder Images\Company through the server
// environment, with the built-in placeholder for a file that is not there.
#pragma once

#include "image/LayoutImage.h"
#include "image/ResourceProvider.h"
#include "server/LocalPortal.h"

#include <memory>
#include <string>

namespace kw::portalpage {

/// The name of the built-in placeholder picture (a GIF) shown for a missing picture file.
inline constexpr const char *kPlaceholderPicture = "12002";

/// Loads pictures by bare file name. One source serves a pane's elements; it opens its connection to the
/// portal on the first load and keeps it.
class PictureSource {
public:
    /// How a load went.
    enum class Outcome {
        Nothing,     ///< the name was empty: nothing was loaded, the picture is untouched
        File,        ///< the file was read and handed to the image object
        Placeholder, ///< the file does not exist: the built-in placeholder was loaded
    };

    /// `env` without a factory stands for a preview without a portal: every named picture is missing.
    explicit PictureSource(server::Environment env,
                           const image::ResourceProvider &resources = image::builtinPictures());

    /// Loads `name` into a new image object that replaces `picture`. For a file that exists, `type`
    /// receives its type code from the file name. A file that cannot be decoded gives an empty image
    /// object. Server errors throw ServerError; `picture` is then untouched.
    Outcome load(const std::string &name, std::unique_ptr<image::CLayoutImage> &picture, int *type = nullptr);

    /// Replaces `picture` with the built-in placeholder.
    void loadPlaceholder(std::unique_ptr<image::CLayoutImage> &picture);

    /// How many pictures were decoded (files and placeholders) since the source was made.
    int decodeCount() const { return m_decodes; }

private:
    server::IServerFolder *companyImages();

    server::Environment m_env;
    const image::ResourceProvider &m_resources;
    server::Ref<server::IServerFolder> m_folder;
    int m_decodes = 0;
};

} // namespace kw::portalpage

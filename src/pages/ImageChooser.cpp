#include "pages/ImageChooser.h"

#include "controls/CSrvFileSelDlg.h"
#include "server/PortalAccess.h"

namespace kw::pages {

std::optional<std::string> chooseCompanyImage(const PageContext &context, const std::string &current,
                                              QWidget *parent)
{
    controls::FileSelection selection{server::folders::CompanyImages,
                                      current,
                                      ".jpg",
                                      {".jpg", ".jpeg", ".png", ".gif"},
                                      std::string(loadString(StringId::ImageFileFilter))};
    return controls::CSrvFileSelDlg::choose(context.env, context.prompter, std::move(selection), parent);
}

} // namespace kw::pages

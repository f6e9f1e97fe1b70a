// Small helpers for writing model values into stylesheet elements.
#pragma once

#include "base/Color.h"
#include "base/Values.h"
#include "css/CssDocument.h"

#include <string>
#include <string_view>

namespace kw::publish {

using css::CCssElement;

/// "url(../images/company/NAME)".
inline std::string pictureUrl(std::string_view name)
{
    return "url(../images/company/" + std::string(name) + ")";
}

/// Creates an element and appends it to `parent`.
inline CCssElement &addChild(CCssElement &parent, std::string name, css::CSSTYPE type)
{
    return *parent.SetChild(std::make_unique<CCssElement>(std::move(name), type));
}
inline CCssElement &addTag(CCssElement &parent, std::string name)
{
    return addChild(parent, std::move(name), css::CSS_TAG);
}
inline CCssElement &addClass(CCssElement &parent, std::string name)
{
    return addChild(parent, std::move(name), css::CSS_CLASS);
}
inline CCssElement &addPseudo(CCssElement &parent, std::string name)
{
    return addChild(parent, std::move(name), css::CSS_PSEUDO);
}

inline void setColor(CCssElement &e, std::string_view property, Color c)
{
    e.SetProperty(property, formatColor(c));
}
inline void setPx(CCssElement &e, std::string_view property, int px)
{
    e.SetProperty(property, formatPx(px));
}

/// The background picture as BODY and the region classes write it: attachment, repeat and the url when
/// there is a picture, else only "none".
inline void setBackgroundPicture(CCssElement &e, std::string_view picture, std::string_view attachment,
                                 std::string_view repeat)
{
    if (picture.empty()) {
        e.SetProperty("BACKGROUND-IMAGE", "none");
        return;
    }
    e.SetProperty("BACKGROUND-ATTACHMENT", attachment);
    e.SetProperty("BACKGROUND-REPEAT", repeat);
    e.SetProperty("BACKGROUND-IMAGE", pictureUrl(picture));
}

} // namespace kw::publish

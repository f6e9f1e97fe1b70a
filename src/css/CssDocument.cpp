// Document operations: emptying, loading with argument checks, generating.
#include "css/CssDocument.h"

#include "css/CssReader.h"
#include "css/CssWriter.h"

#include <new>
#include <string_view>

namespace kw::css {

CCssDocument::CCssDocument() : m_root(std::string(), static_cast<CSSTYPE>(0)) {}

CCssDocument::~CCssDocument() = default;

void CCssDocument::New()
{
    m_root.Clear();
}

bool CCssDocument::LoadCss(const char *text, int count, bool parse)
{
    New();
    if (count < 0 || (text == nullptr && count > 0))
        return false;
    if (!parse || count == 0)
        return true;
    try {
        detail::ReadStylesheet(std::string_view(text, static_cast<std::size_t>(count)), m_root);
    } catch (...) { // only running out of memory can get here
        New();
        return false;
    }
    return true;
}

std::string CCssDocument::GenerateCss() const
{
    return detail::WriteStylesheet(m_root);
}

} // namespace kw::css

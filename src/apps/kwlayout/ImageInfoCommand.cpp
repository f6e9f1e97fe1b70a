#include "Commands.h"

#include <iostream>

namespace kw::cli {

// Replaced by the image object's reader once it lands.
int imageInfo(const Invocation &, std::ostream &)
{
    std::cerr << "kwlayout: image-info is not available in this build\n";
    return 1;
}

} // namespace kw::cli

// Bundles made to be refused: each fault of a bundle from outside, crafted exactly with libzip (or by
// changing the bytes libzip wrote), from a valid bundle.
#pragma once

#include "bundle/BundleFormat.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kw::test {

using bundle::Bytes;

/// One member of a crafted zip.
struct CraftedMember {
    std::string name;
    Bytes bytes;
    int method = 8;                                  // ZIP_CM_DEFLATE; 0 stored, 12 bzip2
    std::optional<unsigned> unixMode = std::nullopt; // external attributes (regular file 0644 when none)
    bool encrypted = false;                          // AES-256 with a password
    unsigned level = 0;                              // deflate level 1 (fastest) to 9; 0: libzip's default
};

/// The zip libzip writes for the members, in order.
Bytes craftZip(const std::vector<CraftedMember> &members);

/// The members of the bundle as `writeBundle` would write them: manifest.json listing the others,
/// layout.kwc, pictures/NAME. The manifest's members are filled in from the contents, then `edit` may
/// change the manifest.
std::vector<CraftedMember> bundleMembers(bundle::Bundle bundle,
                                         const std::function<void(bundle::Manifest &)> &edit = {});

/// Where the data of member `name` begins in a zip (after its local header); throws when it is not there.
std::size_t memberDataOffset(const Bytes &zip, const std::string &name);

/// A valid bundle for crafting: the demo portal's layout "Blau" with its pictures.
const bundle::Bundle &demoBundle();

/// One way a bundle is refused: what is wrong, a word of the reason the refusal gives, and how to make
/// such a bundle from a valid one.
struct CraftedFault {
    std::string name;   // a test name: letters and digits
    std::string reason; // part of the refusal's reason
    std::function<Bytes(const bundle::Bundle &valid)> craft;
};

/// Tests name a fault by its name.
inline void PrintTo(const CraftedFault &fault, std::ostream *out)
{
    *out << fault.name;
}

/// Every fault of the bad-input list, one entry each.
const std::vector<CraftedFault> &craftedFaults();

} // namespace kw::test

#include "layout/ValueChanges.h"

namespace kw::layout {

void applyValueChanges(LayoutDocument &document, std::span<const ValueChange> changes)
{
    if (changes.empty())
        return;
    LayoutModel model = document.model();
    LayoutFlags flags = document.flags();
    for (const ValueChange &change : changes)
        setLayoutValue(model, flags, change.key, change.value);
    document.model() = std::move(model);
    document.flags() = flags;
    document.setModified(true);
}

} // namespace kw::layout

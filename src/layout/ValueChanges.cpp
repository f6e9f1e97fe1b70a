#include "layout/ValueChanges.h"

namespace kw::layout {

bool applyValueChanges(LayoutDocument &document, std::span<const ValueChange> changes, std::string stepName)
{
    if (changes.empty())
        return false;
    // The history puts every value back when one of them throws, so no step is ever half applied.
    return document.history().record(std::move(stepName), [&] {
        for (const ValueChange &change : changes)
            setLayoutValue(document.model(), document.flags(), change.key, change.value);
    });
}

} // namespace kw::layout

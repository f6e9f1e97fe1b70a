// Reads a parsed layout file (or menu.css) into the layout model.
#pragma once

#include "base/Color.h"
#include "css/CssDocument.h"
#include "layoutmodel/LayoutModel.h"

#include <vector>

namespace kw::layout {

/// The colours used in a layout, in the order they were first met.
class ColorSet {
public:
    void add(Color c);
    bool contains(Color c) const;
    const std::vector<Color> &colors() const { return m_colors; }
    void clear() { m_colors.clear(); }

private:
    std::vector<Color> m_colors;
};

/// Maps the document's top-level elements into the model (values the file does not hold stay). Colours
/// read are registered in `colors`; `entryStyleFromCss` is cleared by an INPUT element and set again by
/// each of its colour, background and border.
void readLayoutTree(const css::CCssElement &root, LayoutModel &model, ColorSet &colors,
                    bool &entryStyleFromCss);

} // namespace kw::layout

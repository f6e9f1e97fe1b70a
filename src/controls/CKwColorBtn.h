// The colour button: a button that shows a colour and lets the user pick another one.
#pragma once

#include "base/Color.h"

#include <QPushButton>

#include <functional>
#include <span>
#include <vector>

namespace kw::controls {

/// Shows its colour as a swatch; a click opens the colour picker (QColorDialog) on that colour, offering
/// the colours of the open layout as custom colours. The button has no visible text: give it an
/// accessible name that says which colour it holds.
class CKwColorBtn : public QPushButton {
public:
    explicit CKwColorBtn(QWidget *parent = nullptr);

    Color color() const { return m_color; }
    /// Shows `color`; does not call `onColorChanged`.
    void setColor(Color color);

    /// Called after the user picked a colour different from the shown one.
    std::function<void(Color)> onColorChanged;

    /// The colours every picker offers as custom colours (the layout's own colours after loading). The
    /// picker holds at most 16; later colours are left out.
    static void SetColors(std::span<const Color> colors);
    static std::vector<Color> colors();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void pick();

    Color m_color = 0;
};

} // namespace kw::controls

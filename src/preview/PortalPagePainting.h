// Painting the portal page with Qt: one element at its place, the start page's two controls, a whole pane
// into an image. The element widgets and headless rendering share these, so both look the same.
#pragma once

#include "portalpage/PortalPane.h"

#include <QImage>

#include <memory>

class QPainter;

namespace kw::preview {

/// A memory device for measuring texts when elements are rebuilt (a 1 x 1 image with a painter).
class MeasureDevice {
public:
    MeasureDevice();
    ~MeasureDevice();
    MeasureDevice(const MeasureDevice &) = delete;
    MeasureDevice &operator=(const MeasureDevice &) = delete;
    portalpage::PaintDevice &device();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

/// Paints one element into the painter's current coordinates, its client rectangle at (0, 0).
void paintElement(QPainter &painter, const portalpage::CPreviewElement &element, int width, int height);

/// The company logo control: the logo picture at its own size, copied pixel for pixel; nothing without a
/// picture.
void paintLogoControl(QPainter &painter, const image::CLayoutImage *logo, const QRect &rect);

/// The welcome text control when it is not being edited: the element's background colour, a one-pixel
/// border, the text centred in the heading-1 font and the welcome colour.
void paintWelcomeControl(QPainter &painter, const portalpage::CAppPageElement &page, const QRect &rect);

/// The colour in which the welcome text is shown: the heading-1 colour, whose font it uses.
Color welcomeTextColor(const portalpage::CAppPageElement &page);

/// Paints every element of a laid-out pane at its rectangle, and on the start page the logo and welcome
/// controls where they are shown. Nothing is decoded or measured here.
void paintPane(QPainter &painter, const portalpage::PortalPane &pane, const portalpage::PaneLayout &layout);

/// The pane drawn into a new image of `size` (32 bits per pixel). With no layout open (all rectangles
/// empty) the image shows `idle` centred on the window colour, or stays white without one.
QImage renderPane(const portalpage::PortalPane &pane, const portalpage::PaneLayout &layout, QSize size,
                  const image::CLayoutImage *idle = nullptr);

} // namespace kw::preview

// The preview's elements without a window: each region of the portal page with its fonts, decoded
// pictures and preferred size, painting its background, its own drawing and the focus mark.
#pragma once

#include "base/Prompter.h"
#include "image/LayoutImage.h"
#include "layoutmodel/LayoutModel.h"
#include "portalpage/HeaderDate.h"
#include "portalpage/PaintDevice.h"
#include "portalpage/PictureSource.h"
#include "server/LocalPortal.h"

#include <memory>
#include <string>
#include <string_view>

namespace kw::portalpage {

/// What elements need from outside when they are created and rebuilt. Painting needs none of it.
struct ElementContext {
    /// The portal; without a factory the elements read no texts and every picture is missing.
    server::Environment env;
    /// Tells the user about errors that the elements report themselves (the main menu's entries).
    Prompter &prompter;
    /// A device used only for measuring texts (a memory device in the window).
    PaintDevice &measure;
    /// Decodes the pictures.
    PictureSource &pictures;
    /// Today and the user's language, for the page header.
    HeaderDate date = HeaderDate::current();
};

/// The element's control ID: 101 for KwRootTop up to 108 for KwApplication.
int controlIdOf(layout::RegionId id);

/// The font an element makes from a family list, a size and a weight text: the first family of the list
/// (without blanks around it), the size as character height, the weight read as a number ("700", and
/// "bold" and "normal" as 700 and 400; anything else 0, the device's normal weight).
FontSpec makeFont(std::string_view familyList, int size, std::string_view weight, bool underline = false);

/// One region of the portal page as the preview shows it. The values come from the shared model,
/// read through the element's region; the element adds what it decodes and measures from them.
class CPreviewElement {
public:
    CPreviewElement(layout::RegionId region, const layout::LayoutModel &model);
    virtual ~CPreviewElement();
    CPreviewElement(const CPreviewElement &) = delete;
    CPreviewElement &operator=(const CPreviewElement &) = delete;

    layout::RegionId region() const { return m_region; }
    /// The region's name: the window text and the key of the pane's `elements`.
    std::string_view name() const;
    int controlId() const { return controlIdOf(m_region); }
    const layout::LayoutModel &model() const { return m_model; }
    const layout::RegionStyle &style() const { return m_model.region(m_region); }

    /// What the element's window creation does: read the element's texts, then Rebuild.
    virtual void Create(ElementContext &context);
    /// The size the element asks for in the pane (200 x 20 unless the element knows better).
    virtual Size GetPreferredSize() const;
    /// Makes the fonts from the model, loads the pictures and measures what the element draws. Server
    /// errors while loading a picture throw ServerError and end the rebuild there.
    virtual void Rebuild(ElementContext &context);

    /// Paints the whole element into `client` (its own coordinates, top-left 0, 0): background, the
    /// element's drawing, the focus mark. Decodes nothing and measures nothing.
    void Paint(PaintDevice &device, const Rect &client) const;
    /// The background: the nearest device colour to `backgroundColor`, then the background picture at
    /// (0, 0), tiled when the repeat keyword is exactly "repeat".
    void PaintBackground(PaintDevice &device, const Rect &client) const;
    /// The dotted frame around the client rectangle while the element is selected.
    void PaintFocusMark(PaintDevice &device, const Rect &client) const;

    bool selected() const { return m_selected; }
    void setSelected(bool on) { m_selected = on; }

    const FontSpec &normalFont() const { return m_normalFont; }
    const FontSpec &underlinedFont() const { return m_underlinedFont; }
    const FontSpec &plainFont() const { return m_plainFont; }
    /// The decoded background picture; null before the first named picture was loaded.
    const image::CLayoutImage *backgroundPicture() const { return m_backgroundPicture.get(); }
    /// Whether the background picture shown is the placeholder for a file that is not there.
    bool backgroundPictureMissing() const { return m_backgroundPictureMissing; }
    /// The type code of the background picture file; -1 until a file was loaded.
    int backgroundImageType() const { return m_backgroundImageType; }
    /// The decoded entry and separator pictures of the menu regions (null when there are none).
    const image::CLayoutImage *itemPicture() const { return m_itemPicture.get(); }
    const image::CLayoutImage *separatorPicture() const { return m_separatorPicture.get(); }
    /// Whether Rebuild copies the portal's top-navigation files (true only for the submenu logo).
    bool loadsTopNavigationPictures() const { return m_region == layout::RegionId::KwPics; }

protected:
    /// The element's own drawing, on top of the background.
    virtual void PaintContent(PaintDevice &device, const Rect &client) const;

    /// The common text set-up: background colour, text colour, normal font, and transparent mode when
    /// the element has a background picture. Restored by the TextStateScope the caller holds.
    void beginText(PaintDevice &device) const;

    /// Width of the entry picture (P) and its height; 0 without one.
    int itemWidth() const;
    int itemHeight() const;

public:
    /// Draws a picture at its own size at x, vertically centred in the text rectangle.
    static void drawPictureCentred(PaintDevice &device, const image::CLayoutImage &picture, int x,
                                   const Rect &textRect);

private:
    void loadMenuPictures(PictureSource &pictures);

    layout::RegionId m_region;
    const layout::LayoutModel &m_model;
    bool m_selected = false;
    FontSpec m_normalFont;
    FontSpec m_underlinedFont;
    FontSpec m_plainFont;
    std::unique_ptr<image::CLayoutImage> m_backgroundPicture;
    int m_backgroundImageType = -1;
    bool m_backgroundPictureMissing = false;
    std::unique_ptr<image::CLayoutImage> m_itemPicture;
    std::unique_ptr<image::CLayoutImage> m_separatorPicture;
    std::string m_itemPictureName; // the names the two menu pictures were decoded from
    std::string m_separatorPictureName;
};

/// Draws a picture at its own size at (x, y): source copy, logical palette.
void drawPicture(PaintDevice &device, const image::CLayoutImage &picture, int x, int y);

} // namespace kw::portalpage

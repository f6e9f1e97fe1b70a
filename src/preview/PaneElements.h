// The element windows of a preview pane: one child widget per region of the portal page, drawing its
// element through the QPainter device, and on the start page the logo and welcome text controls.
#pragma once

#include "portalpage/PortalPane.h"

#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace kw::preview {

/// The dynamic property that holds an element window's control ID (101 to 108).
inline constexpr const char *kControlIdProperty = "controlId";

/// An element of the portal page as a child window of its pane. Its window text and object name are the
/// region's name; it paints the element it wraps (which the pane owns).
class CPreviewElement : public QWidget {
public:
    CPreviewElement(portalpage::CPreviewElement &element, QWidget *parent);

    portalpage::CPreviewElement &element() const { return m_element; }
    int controlId() const { return m_element.controlId(); }
    bool selected() const { return m_element.selected(); }
    /// Sets the focus mark and repaints at once when it changed.
    void setSelected(bool on);
    /// The element was rebuilt: show the new values.
    virtual void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    portalpage::CPreviewElement &m_element;
};

/// The company logo on the start page (control 101, caption "Picture"): the logo at its own size.
class CLogoPictureCtrl final : public QWidget {
public:
    explicit CLogoPictureCtrl(const portalpage::CAppPageElement &page, QWidget *parent);
    /// Called on a double click (the element's second action).
    std::function<void()> onDoubleClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    const portalpage::CAppPageElement &m_page;
};

/// The welcome text on the start page (control 102): a framed edit with centred text in the heading-1
/// font, on the element's background colour.
class CWelcomeTextEdit final : public QLineEdit {
public:
    explicit CWelcomeTextEdit(QWidget *parent);
    /// Takes the shown text, font and colours from the page.
    void showPage(const portalpage::CAppPageElement &page);
    /// Called with the new text whenever the user changes it.
    std::function<void(const std::string &)> onEdited;
};

/// The application page's window; on the default start page it holds the two controls, placed and
/// hidden by their switches whenever its size changes or it is refreshed.
class CAppPageWindow final : public CPreviewElement {
public:
    CAppPageWindow(portalpage::CAppPageElement &page, QWidget *parent);

    /// Null outside the default start page.
    CLogoPictureCtrl *logoControl() const { return m_logo; }
    CWelcomeTextEdit *welcomeControl() const { return m_welcome; }
    void refresh() override;
    /// Places the controls for the window's current width and shows those whose switch is on.
    void placeControls();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    portalpage::CAppPageElement &m_page;
    CLogoPictureCtrl *m_logo = nullptr;
    CWelcomeTextEdit *m_welcome = nullptr;
};

/// The element windows of one pane, created in the pane's order as children of `parent`, and the
/// `elements` map from region name to window.
class PaneElements {
public:
    PaneElements(portalpage::PortalPane &pane, QWidget *parent);

    const std::map<std::string, CPreviewElement *, std::less<>> &elements() const { return m_elements; }
    /// The window of a region by name; null when this pane has none.
    CPreviewElement *element(std::string_view name) const;
    CAppPageWindow *appPage() const { return m_appPage; }

    /// Moves every window to its rectangle, shifted by `offset` (the scroll position); each repaints.
    void place(const portalpage::PaneLayout &layout, QPoint offset = {});
    /// After the elements were rebuilt: every window shows the new values.
    void refresh();

private:
    std::map<std::string, CPreviewElement *, std::less<>> m_elements;
    std::vector<CPreviewElement *> m_ordered;
    CAppPageWindow *m_appPage = nullptr;
};

} // namespace kw::preview

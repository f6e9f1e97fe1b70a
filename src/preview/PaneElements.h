// The element windows of a preview pane: one child widget per region of the portal page, drawing its
// element through the QPainter device, and on the start page the logo and welcome text controls.
#pragma once

#include "portalpage/PortalPane.h"

#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kw::preview {

/// The dynamic property that holds an element window's control ID (101 to 108).
inline constexpr const char *kControlIdProperty = "controlId";

class CPreviewElement;

/// A step through the layout's history, as Ctrl+Z and Ctrl+Y take it.
enum class HistoryStep { Back, Forward };

/// What an element window asks of its pane: the pane knows the layout, the dialogs and the other pane.
class ElementHost {
public:
    /// The element's property sheet; afterwards the panes show what it changed.
    virtual void editProperties(CPreviewElement &window) = 0;
    /// The element's second action (the logo chooser of the start page's content area).
    virtual void chooseGraphic(CPreviewElement &window) = 0;
    /// The context menu for the element at a point on the screen.
    virtual void showContextMenu(CPreviewElement &window, const QPoint &globalPos) = 0;
    /// The user changed the start page's welcome text.
    virtual void welcomeTextEdited(const std::string &text) = 0;
    /// The welcome text control received the keyboard focus.
    virtual void welcomeTextFocused() = 0;
    /// Whether the layout's history can take the step now (the welcome text's edit menu greys it if not).
    virtual bool canStepHistory(HistoryStep step) = 0;
    /// Undoes or redoes one step of the layout's history, from the welcome text's edit menu.
    virtual void stepHistory(HistoryStep step) = 0;
    /// A click moved the selection to another element.
    virtual void selectionChanged() = 0;

protected:
    ElementHost() = default;
    ~ElementHost() = default;
};

/// An element of the portal page as a child window of its pane. Its window text and object name are the
/// region's name; it paints the element it wraps (which the pane owns). A left double click opens its
/// properties, the right button its context menu.
class CPreviewElement : public QWidget {
public:
    CPreviewElement(portalpage::CPreviewElement &element, QWidget *parent, ElementHost *host = nullptr);

    portalpage::CPreviewElement &element() const { return m_element; }
    int controlId() const { return m_element.controlId(); }
    bool selected() const { return m_element.selected(); }
    /// Sets the focus mark and repaints at once when it changed.
    void setSelected(bool on);
    /// The element was rebuilt: show the new values.
    virtual void refresh();

    /// Opens the property sheet for this element (through the pane).
    virtual void EditProperties();
    /// The element's second action (through the pane).
    virtual void ChooseGraphic();
    /// Every element has properties.
    virtual bool CanEditProperties() const { return true; }
    /// Only the start page's content area has a second action of its own (the logo).
    virtual bool CanChooseGraphic() const { return false; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    ElementHost *host() const { return m_host; }

private:
    portalpage::CPreviewElement &m_element;
    ElementHost *m_host;
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

/// The welcome text on the start page (control 102): a framed multi-line edit with centred text in the
/// heading-1 font, on the element's background colour, scrolling sideways instead of wrapping. While the
/// mouse is over it or it has the focus it shows a dotted frame around its client area; a 100 ms timer
/// notices when the mouse has left.
class CWelcomeTextEdit final : public QTextEdit {
public:
    static constexpr int kHoverInterval = 100;

    explicit CWelcomeTextEdit(QWidget *parent);
    /// Takes the shown text, font and colours from the page (the text only when it differs, so that the
    /// cursor stays where the user types).
    void showPage(const portalpage::CAppPageElement &page);
    /// Called with the new text whenever the user changes it.
    std::function<void(const std::string &)> onEdited;
    /// Called when the user moves the keyboard focus into the control with a left click or the Tab key;
    /// not when it gets the focus back as its window is activated again (after the dialog it opened, on
    /// switching windows), nor from the right button, which shows the edit menu.
    std::function<void()> onFocused;
    /// The edit menu's "Rückgängig" and "Wiederholen" go through the layout's history: whether it can take
    /// the step, and taking it.
    std::function<bool(HistoryStep)> canStepHistory;
    std::function<void(HistoryStep)> stepHistory;

    /// Whether the dotted frame is shown (mouse over the control, or the focus in it).
    bool framed() const { return m_hovered || hasFocus(); }
    bool hoverTimerActive() const { return m_hoverTimer.isActive(); }

protected:
    /// Undo and redo keys are the layout's (its history holds the typing), not the control's own.
    bool event(QEvent *event) override;
    /// Qt's edit menu, with undo and redo of the layout's history in place of the control's own.
    void contextMenuEvent(QContextMenuEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void checkHover();

    QTimer m_hoverTimer;
    bool m_hovered = false;
    bool m_showing = false; // the text is being set from the page, not typed
};

/// The application page's window; on the default start page it holds the two controls, placed and
/// hidden by their switches whenever its size changes or it is refreshed.
class CAppPageWindow final : public CPreviewElement {
public:
    CAppPageWindow(portalpage::CAppPageElement &page, QWidget *parent, ElementHost *host = nullptr);

    /// The default start page picks its logo.
    bool CanChooseGraphic() const override { return m_page.isDefaultStartPage; }
    /// Whether the keyboard focus lies in this window or one of its controls.
    bool holdsFocus() const;

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
/// `elements` map from region name to window. A left button press anywhere over an element window (its
/// controls included) selects that element before the window itself sees the press.
class PaneElements {
public:
    PaneElements(portalpage::PortalPane &pane, QWidget *parent, ElementHost *host = nullptr);
    ~PaneElements();
    PaneElements(const PaneElements &) = delete;
    PaneElements &operator=(const PaneElements &) = delete;

    const std::map<std::string, CPreviewElement *, std::less<>> &elements() const { return m_elements; }
    /// The windows in creation order.
    const std::vector<CPreviewElement *> &ordered() const { return m_ordered; }
    /// The window of a region by name; null when this pane has none.
    CPreviewElement *element(std::string_view name) const;
    CAppPageWindow *appPage() const { return m_appPage; }

    /// Walks the windows in order and sets each one's `selected` to whether it is `hit` (null selects
    /// none); a window whose mark changed repaints at once.
    void select(const CPreviewElement *hit);
    /// The first selected window in order, or null.
    CPreviewElement *selected() const;

    /// Moves every window to its rectangle, shifted by `offset` (the scroll position); each repaints.
    void place(const portalpage::PaneLayout &layout, QPoint offset = {});
    /// After the elements were rebuilt: every window shows the new values.
    void refresh();

private:
    class SelectionFilter;

    std::map<std::string, CPreviewElement *, std::less<>> m_elements;
    std::vector<CPreviewElement *> m_ordered;
    CAppPageWindow *m_appPage = nullptr;
    ElementHost *m_host;
    std::unique_ptr<SelectionFilter> m_filter;
};

} // namespace kw::preview

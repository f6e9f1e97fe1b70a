// A preview pane: one tab of the module's tabbed view. Holds the element windows of the portal page, lays
// them out, shows the idle picture while no layout is open and passes the commands it does not handle to
// its tabbed view.
#pragma once

#include "image/LayoutImage.h"
#include "layoutmodel/LayoutModel.h"
#include "preview/PaneElements.h"
#include "shell/Commands.h"

#include <QAbstractScrollArea>
#include <QEvent>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace kw::image {
class DeviceContext;
}

namespace kw::shell {
class CKwLOutTabbedView;
}

class QMenu;

namespace kw::preview {

class PaneContents;

/// The pane's own message to lay itself out once more (posted after its window was maximised); it carries
/// the width and height to lay out for.
class RelayoutEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 12);
    RelayoutEvent(int newWidth, int newHeight) : QEvent(kType), width(newWidth), height(newHeight) {}
    const int width;
    const int height;
};

/// A display switch and the command that toggles it: in the pane alone (logo and welcome text, which only
/// the start page shows) or in both panes.
struct SwitchCommand {
    int command;
    bool layout::PaneSwitches::*field;
    bool bothPanes;
};

/// The switch toggled by a command; null for any other command.
const SwitchCommand *switchCommand(int command);

class CKwLOutView : public QAbstractScrollArea, public shell::CommandTarget, private ElementHost {
public:
    /// The first pane imitates the portal's start page (`isStartPagePane` true), the second an
    /// application page.
    explicit CKwLOutView(bool isStartPagePane, QWidget *parent = nullptr);
    ~CKwLOutView() override;

    bool isStartPagePane() const { return m_isStartPagePane; }
    layout::Pane paneKind() const;
    /// The tabbed view that holds the pane and its layout document (null before it was inserted).
    shell::CKwLOutTabbedView *tabbedView() const { return m_tabbedView; }
    /// Inserting the pane into its tabbed view creates the element windows over the view's document.
    void setTabbedView(shell::CKwLOutTabbedView *view);
    /// Whether the tabbed view has a layout open.
    bool layoutOpen() const;

    /// The pane's own commands (properties and picture of the selected element, the display switches,
    /// the editors' commands); everything else goes on to the tabbed view.
    bool onCommand(int id) override;
    bool onUpdateCommand(int id, shell::CommandState &state) override;

    /// The element whose properties 32907 opens: the application page when the keyboard focus lies in
    /// it (on the start page in its logo or welcome text control), else the first selected element;
    /// null when there is none.
    CPreviewElement *propertiesTarget() const;
    /// The element whose second action 32906 runs (only in the start page pane or with the main menu
    /// selected): the application page holding the focus, else the selected element; null for none.
    CPreviewElement *graphicTarget() const;

    /// The context menu of an element: the second drop-down of menu 12000, its items enabled, greyed and
    /// checked for the element and this pane. The caller owns it; each action carries its command. The
    /// pane is its parent, so that assistive technology finds it as part of the window.
    std::unique_ptr<QMenu> createContextMenu(const CPreviewElement &window);
    /// A command chosen in an element's context menu: 32907 and 32906 are the element's own, everything
    /// else the pane's.
    void elementCommand(CPreviewElement &window, int id);

    /// A display switch command: inverts the switch in this pane, and in the other one when the command
    /// says so, as one step of the layout's history; the panes concerned apply their switches, lay
    /// themselves out and repaint.
    void toggleSwitch(const SwitchCommand &command);
    /// After an element's values changed: every element is rebuilt, the pane laid out again and repainted.
    void rebuildElements();
    /// After the company logo or the welcome text changed: the application page follows, and the pane is
    /// laid out again.
    void companyChanged();
    /// After the main-menu editor's OK: the main menu reads its entries again, and the pane is laid out
    /// again and repainted.
    void mainMenuChanged();
    /// Command 32908 and the main menu element's second action: runs the main-menu editor; after OK both
    /// panes show the new main menu.
    void editMainMenu();

    /// A layout was loaded or reset (also when none is open any more): the pane follows the document,
    /// lays itself out and repaints. The region elements hook in here.
    virtual void layoutChanged();
    /// The layout was saved (its title may have changed): repaint.
    virtual void layoutSaved();

    /// The picture shown while no layout is open (built-in PNG 12061).
    const image::CLayoutImage &idlePicture() const { return m_idlePicture; }
    /// Draws the idle picture at its own size, centred in a client area of the given size.
    void drawIdlePicture(image::DeviceContext &dc, int clientWidth, int clientHeight) const;

    /// The element windows by region name (six in the start page pane, eight in the application pages
    /// pane); empty before the pane was inserted into its tabbed view.
    const std::map<std::string, CPreviewElement *, std::less<>> &elements() const;
    /// An element window by name; null when this pane has none of that name.
    CPreviewElement *element(std::string_view name) const;
    /// The portal page the pane shows (null before the pane was inserted).
    PaneContents *contents() const { return m_contents.get(); }

    /// Places the element windows for a requested size (raised to what the elements need) and sets the
    /// scroll ranges; with no layout open every element window is empty.
    void Layout(int width, int height);
    /// After a display switch changed: the elements take the pane's switches and are rebuilt, and the
    /// pane is laid out for its client size and repainted.
    void ApplySwitches();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent *event) override;

private:
    /// Applies a change to the pane's contents, then lays the pane out and repaints it.
    void relayoutAfter(void (PaneContents::*change)());
    // What the element windows ask of their pane.
    void editProperties(CPreviewElement &window) override;
    void chooseGraphic(CPreviewElement &window) override;
    void showContextMenu(CPreviewElement &window, const QPoint &globalPos) override;
    void welcomeTextEdited(const std::string &text) override;
    void welcomeTextFocused() override;
    bool canStepHistory(HistoryStep step) override;
    void stepHistory(HistoryStep step) override;
    void selectionChanged() override;

    /// The start page's logo chooser: a new logo file marks the layout changed and the company settings
    /// to be published, and both panes show it.
    void chooseLogo();
    /// Runs a user-level action from a window event: nothing may escape into the event loop.
    template <class F> void guarded(F &&action);
    void placeElements();

    bool m_isStartPagePane;
    shell::CKwLOutTabbedView *m_tabbedView = nullptr;
    image::CLayoutImage m_idlePicture;
    std::unique_ptr<PaneContents> m_contents;
    int m_requestedWidth = 100;
    int m_requestedHeight = 100;
};

} // namespace kw::preview

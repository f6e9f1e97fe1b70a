// A preview pane: one tab of the module's tabbed view. Shows the idle picture while no layout is open and
// passes the commands it does not handle to its tabbed view.
#pragma once

#include "image/LayoutImage.h"
#include "shell/Commands.h"

#include <QAbstractScrollArea>

namespace kw::image {
class DeviceContext;
}

namespace kw::shell {
class CKwLOutTabbedView;
}

namespace kw::preview {

class CKwLOutView : public QAbstractScrollArea, public shell::CommandTarget {
public:
    /// The first pane imitates the portal's start page (`isStartPagePane` true), the second an
    /// application page.
    explicit CKwLOutView(bool isStartPagePane, QWidget *parent = nullptr);
    ~CKwLOutView() override;

    bool isStartPagePane() const { return m_isStartPagePane; }
    /// The tabbed view that holds the pane and its layout document (null before it was inserted).
    shell::CKwLOutTabbedView *tabbedView() const { return m_tabbedView; }
    void setTabbedView(shell::CKwLOutTabbedView *view) { m_tabbedView = view; }
    /// Whether the tabbed view has a layout open.
    bool layoutOpen() const;

    /// The pane's own commands; everything else goes on to the tabbed view.
    bool onCommand(int id) override;
    bool onUpdateCommand(int id, shell::CommandState &state) override;

    /// A layout was loaded or reset (also when none is open any more): the pane follows the document,
    /// lays itself out and repaints. The region elements hook in here.
    virtual void layoutChanged();
    /// The layout was saved (its title may have changed): repaint.
    virtual void layoutSaved();

    /// The picture shown while no layout is open (built-in PNG 12061).
    const image::CLayoutImage &idlePicture() const { return m_idlePicture; }
    /// Draws the idle picture at its own size, centred in a client area of the given size.
    void drawIdlePicture(image::DeviceContext &dc, int clientWidth, int clientHeight) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_isStartPagePane;
    shell::CKwLOutTabbedView *m_tabbedView = nullptr;
    image::CLayoutImage m_idlePicture;
};

} // namespace kw::preview

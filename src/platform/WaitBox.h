// The shared wait box: a small frameless window with a text, shown while a layout loads or saves.
#pragma once

#include "base/Prompter.h"

#include <QPointer>

class QLabel;
class QWidget;

namespace kw::platform {

/// Shows a modeless box centred over the active window and a wait cursor until `close`. Nested
/// show/close pairs keep one box; the outermost close hides it. The box is painted before `show`
/// returns, since the work that follows blocks the event loop.
class QtWaitBox final : public WaitIndicator {
public:
    QtWaitBox();
    ~QtWaitBox() override;
    QtWaitBox(const QtWaitBox &) = delete;
    QtWaitBox &operator=(const QtWaitBox &) = delete;

    void show(std::string_view text) override;
    void close() override;

    /// Whether the box is up, and its text (for tests).
    bool isShown() const { return m_depth > 0; }
    QString text() const;

private:
    QPointer<QWidget> m_box;
    QPointer<QLabel> m_label;
    int m_depth = 0;
};

} // namespace kw::platform

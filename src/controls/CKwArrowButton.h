// The arrow button: a small button that shows only an arrow (moving entries up and down, for example).
#pragma once

#include <QToolButton>

namespace kw::controls {

/// A button with an arrow and no text; `name` becomes its accessible name and its tool tip, so that what
/// the arrow does can be heard and read.
class CKwArrowButton : public QToolButton {
public:
    CKwArrowButton(Qt::ArrowType arrow, const QString &name, QWidget *parent = nullptr);
};

} // namespace kw::controls

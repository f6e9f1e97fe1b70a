#include "controls/CKwArrowButton.h"

namespace kw::controls {

CKwArrowButton::CKwArrowButton(Qt::ArrowType arrow, const QString &name, QWidget *parent)
    : QToolButton(parent)
{
    setArrowType(arrow);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAccessibleName(name);
    setToolTip(name);
    setAutoRaise(false);
}

} // namespace kw::controls

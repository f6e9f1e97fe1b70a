#include "pages/ImageField.h"

#include "pages/FontGroupControls.h"
#include "pages/ImageChooser.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kw::pages {

void ImageField::build(const ImageFieldSpec &spec, QGridLayout &grid, int row, int column, QWidget *parent)
{
    edit = withId(new QLineEdit(parent), spec.edit);
    edit->setReadOnly(true);
    QString name = QString::fromUtf8(spec.caption);
    edit->setAccessibleName(name.remove(QLatin1Char('&')));
    label = makeLabel(spec.caption, edit, parent);
    if (spec.labelId != 0)
        withId(label, spec.labelId);
    change = withId(new QPushButton(QString::fromUtf8(spec.changeCaption), parent), spec.change);
    grid.addWidget(label, row, column);
    grid.addWidget(edit, row, column + 1, 1, 2);
    grid.addWidget(change, row, column + 3);
}

void ImageField::setEnabled(bool enabled)
{
    for (QWidget *widget :
         {static_cast<QWidget *>(label), static_cast<QWidget *>(edit), static_cast<QWidget *>(change)})
        widget->setEnabled(enabled);
}

void ImageField::setVisible(bool visible)
{
    for (QWidget *widget :
         {static_cast<QWidget *>(label), static_cast<QWidget *>(edit), static_cast<QWidget *>(change)})
        widget->setVisible(visible);
}

bool chooseImageInto(const PageContext &context, std::string &value, bool &changed, bool &imageChanged,
                     QWidget *parent)
{
    const std::optional<std::string> chosen = chooseCompanyImage(context, value, parent);
    if (!chosen || *chosen == value)
        return false;
    changed = true;
    imageChanged = true;
    value = *chosen;
    return true;
}

} // namespace kw::pages

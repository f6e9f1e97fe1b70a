#include "pages/FontGroupControls.h"

#include "base/Values.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "platform/QtStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kw::pages {

namespace {

using platform::qt;

QString plain(const char *caption)
{
    return QString::fromUtf8(caption).remove(QLatin1Char('&'));
}

QString spoken(const char *caption, const QString &whose)
{
    return whose.isEmpty() ? plain(caption) : plain(caption) + QLatin1Char(' ') + whose;
}

} // namespace

controls::CKwNiceStatic *makeHeader(const char *caption, int id, QWidget *parent)
{
    auto *header = withId(new controls::CKwNiceStatic(QString::fromUtf8(caption), parent), id);
    header->setHeaderMode(true);
    return header;
}

void enableControlsExcept(QWidget &page, const QWidget *keep, bool enabled)
{
    for (QWidget *child : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != keep && !dynamic_cast<controls::CKwNiceStatic *>(child))
            child->setEnabled(enabled);
}

bool takeSwitchClick(QCheckBox &box, bool &field, const std::function<bool()> &take)
{
    const bool before = field;
    if (take())
        return true;
    QSignalBlocker quiet(&box);
    box.setChecked(before);
    field = before;
    return false;
}

QLabel *makeLabel(const char *caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

controls::CKwColorBtn *makeColorButton(int id, const QString &accessibleName, QWidget *parent)
{
    auto *button = withId(new controls::CKwColorBtn(parent), id);
    button->setAccessibleName(accessibleName);
    return button;
}

void FontGroupControls::build(const FontGroupSpec &spec, QGridLayout &grid, int row, QWidget *parent)
{
    font = withId(new controls::CFontChooserCtrl(parent), spec.font);
    font->setAccessibleName(spoken(spec.fontCaption, spec.whose));
    size = withId(new QLineEdit(parent), spec.size);
    size->setAccessibleName(spoken(spec.sizeCaption, spec.whose));
    size->setMaxLength(5);
    size->setFixedWidth(size->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    weight = withId(new QComboBox(parent), spec.weight);
    weight->setAccessibleName(spoken(spec.weightCaption, spec.whose));
    for (std::string_view choice : kWeightChoices)
        weight->addItem(qt(choice));

    grid.addWidget(makeLabel(spec.fontCaption, font, parent), row, 0);
    grid.addWidget(font, row, 1, 1, 2);
    grid.addWidget(makeLabel(spec.weightCaption, weight, parent), row, 3);
    grid.addWidget(weight, row, 4);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size);
    sizeRow->addWidget(new QLabel(QStringLiteral("Pixel"), parent));
    sizeRow->addStretch();
    grid.addWidget(makeLabel(spec.sizeCaption, size, parent), row + 1, 0);
    grid.addLayout(sizeRow, row + 1, 1, 1, 2);
}

} // namespace kw::pages

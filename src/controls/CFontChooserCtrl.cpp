#include "controls/CFontChooserCtrl.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QStringListModel>

namespace kw::controls {

namespace {

/// The families, asked of the font database once; the model lives as long as the application and is shared
/// by every chooser, so opening a page does not list the fonts again.
QStringListModel *familyModel()
{
    static QStringListModel *model = new QStringListModel(QFontDatabase::families(), qApp);
    return model;
}

} // namespace

CFontChooserCtrl::CFontChooserCtrl(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setModel(familyModel());
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    connect(this, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (!m_settingText && onEdited)
            onEdited(text.toStdString());
    });
}

std::string CFontChooserCtrl::text() const
{
    return currentText().toStdString();
}

void CFontChooserCtrl::setText(const std::string &family)
{
    m_settingText = true;
    const QString text = QString::fromStdString(family);
    const int index = findText(text, Qt::MatchFixedString);
    setCurrentIndex(index);
    setEditText(text);
    m_settingText = false;
}

} // namespace kw::controls

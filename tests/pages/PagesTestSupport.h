// Helpers of the property page tests: working a modal dialog from inside its event loop, and the controls
// found by their IDs.
#pragma once

#include "WidgetTestSupport.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QListWidget>
#include <QPushButton>

namespace kw::pages::test {

using kw::test::click;
using kw::test::control;
using kw::test::whenModal;

/// Picks `color` in the colour picker that clicking button `id` opens.
inline void pickColor(QWidget &page, int id, QColor color)
{
    whenModal([color](QDialog &picker) {
        static_cast<QColorDialog &>(picker).setCurrentColor(color);
        picker.accept();
    });
    click(page, id);
}

/// Chooses `name` in the image chooser that the "Ändern..." button `id` opens.
inline void chooseImage(QWidget &page, const QString &name, int id = 1101)
{
    whenModal([name](QDialog &dialog) {
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("files"));
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found.front());
        click(dialog, 1);
    });
    click(page, id);
}

} // namespace kw::pages::test

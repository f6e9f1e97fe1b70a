// Helpers of the dialog tests: controls found by their IDs (their object names), clicks, and working a
// modal dialog from inside its event loop.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kw::test {

/// The control of that ID under `parent`; a missing one fails the test.
template <class T> T *control(QWidget &parent, int id)
{
    T *found = parent.findChild<T *>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

/// Clicks the button of that ID.
inline void click(QWidget &parent, int id)
{
    if (auto *button = control<QAbstractButton>(parent, id))
        QTest::mouseClick(button, Qt::LeftButton);
}

/// Runs `step` on the next modal dialog once its event loop runs (the step closes it).
inline void whenModal(std::function<void(QDialog &)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog is open";
            return;
        }
        step(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the step left the dialog open";
            dialog->reject();
        }
    });
}

} // namespace kw::test

// Helpers of the dialog tests: controls found by their IDs (their object names), clicks, and working a
// modal dialog from inside its event loop.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

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

/// The controls under `root` that have no place of their own: pairs of visible siblings that lie over each
/// other ("a / b", by object name or class), and controls never shown although nothing hid them ("a not
/// shown"). A control left out of its layout lands in a corner on top of another one, or stays unshown.
/// Looks into every widget that arranges its children with a layout, and into tab widgets; Qt's own
/// composite widgets arrange theirs and are left alone.
inline QStringList misplacedControls(const QWidget &root)
{
    QStringList found;
    auto nameOf = [](const QWidget *w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    };
    std::function<void(const QWidget &)> walk = [&](const QWidget &parent) {
        // A tab widget's tab bar and pages may touch by design; what lies on a page is checked.
        const bool arranged = parent.layout() != nullptr;
        std::vector<const QWidget *> shown;
        for (const QObject *child : parent.children()) {
            const auto *widget = qobject_cast<const QWidget *>(child);
            if (!widget || widget->isWindow())
                continue;
            if (widget->isHidden() && !widget->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
                found << nameOf(widget) + " not shown";
                continue;
            }
            if (!widget->isVisibleTo(&root) || widget->geometry().isEmpty())
                continue;
            if (arranged)
                for (const QWidget *other : shown)
                    if (other->geometry().intersects(widget->geometry()))
                        found << nameOf(other) + " / " + nameOf(widget);
            shown.push_back(widget);
            if (widget->layout() || qobject_cast<const QTabWidget *>(widget))
                walk(*widget);
        }
    };
    walk(root);
    return found;
}

} // namespace kw::test

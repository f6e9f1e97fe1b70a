// Helpers of the editor dialog tests: controls found by their IDs, clicks and typing, and a help viewer
// that records the topics it was asked for.
#pragma once

#include "WidgetTestSupport.h"
#include "platform/HelpLauncher.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kw::editors::test {

using kw::test::click;
using kw::test::control;

/// Replaces the text of an edit as a user does: select all, type.
inline void type(QWidget &parent, int id, const QString &text)
{
    QLineEdit *edit = control<QLineEdit>(parent, id);
    if (!edit)
        return;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(edit, ch.toLatin1());
        else // QTest maps only ASCII to keys: the character comes as the key event's text
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

/// The controls of `dialog` without a place of their own (`misplacedControls`), on each of its tabs in turn.
inline QStringList misplacedOnEveryTab(QDialog &dialog)
{
    QCoreApplication::sendPostedEvents(); // controls made on showing are shown by posted events
    QStringList found = kw::test::misplacedControls(dialog);
    for (QTabWidget *tabs : dialog.findChildren<QTabWidget *>())
        for (int tab = 1; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::sendPostedEvents();
            for (const QString &control : kw::test::misplacedControls(dialog))
                found << tabs->tabText(tab) + ": " + control;
        }
    return found;
}

/// While alive, help goes to a recording viewer instead of a real one; it is told the page like kchmviewer
/// ("-showPage", "58.htm", file).
class RecordedHelp {
public:
    RecordedHelp()
    {
        m_previous = platform::replaceHelpLauncher(
            std::make_unique<platform::HelpLauncher>([] { return QStringLiteral("/usr/bin/kchmviewer"); },
                                                     [this](const QString &, const QStringList &arguments) {
                                                         m_shown += arguments;
                                                         return true;
                                                     }));
    }
    ~RecordedHelp() { platform::replaceHelpLauncher(std::move(m_previous)); }
    const QStringList &shown() const { return m_shown; }

private:
    std::unique_ptr<platform::HelpLauncher> m_previous;
    QStringList m_shown;
};

} // namespace kw::editors::test

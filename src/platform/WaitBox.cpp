#include "platform/WaitBox.h"

#include "platform/QtStrings.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace kw::platform {

QtWaitBox::QtWaitBox() = default;

QtWaitBox::~QtWaitBox()
{
    while (m_depth > 0)
        close();
    delete m_box;
}

QString QtWaitBox::text() const
{
    return m_label ? m_label->text() : QString();
}

void QtWaitBox::show(std::string_view text)
{
    if (!m_box) {
        auto *box = new QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        box->setObjectName(QStringLiteral("KwWaitBox"));
        box->setFrameShape(QFrame::Box);
        box->setAttribute(Qt::WA_ShowWithoutActivating);
        auto *layout = new QHBoxLayout(box);
        layout->setContentsMargins(24, 16, 24, 16);
        m_label = new QLabel(box);
        layout->addWidget(m_label);
        m_box = box;
    }
    m_label->setText(qt(text));
    if (m_depth++ == 0) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_box->adjustSize();
        const QWidget *over = QApplication::activeWindow();
        const QRect area =
            over ? over->frameGeometry()
                 : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                     : QRect(0, 0, 640, 480));
        QRect frame = m_box->frameGeometry();
        frame.moveCenter(area.center());
        m_box->move(frame.topLeft());
        m_box->show();
    }
    m_box->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWaitBox::close()
{
    if (m_depth == 0)
        return;
    if (--m_depth > 0)
        return;
    if (m_box)
        m_box->hide();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace kw::platform

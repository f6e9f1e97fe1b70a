// The element windows of a preview pane.
#include "preview/PaneElements.h"

#include "platform/QPainterDeviceContext.h"
#include "platform/QPainterPaintDevice.h"
#include "platform/QtStrings.h"
#include "preview/PortalPagePainting.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>

namespace kw::preview {

namespace {

using platform::qt;

QRect toQRect(const portalpage::Rect &r)
{
    return {r.x, r.y, r.width, r.height};
}

} // namespace

// --- element window ------------------------------------------------------------------------------

CPreviewElement::CPreviewElement(portalpage::CPreviewElement &element, QWidget *parent, ElementHost *host)
    : QWidget(parent), m_element(element), m_host(host)
{
    const QString name = qt(element.name());
    setObjectName(name);
    setWindowTitle(name);
    setProperty(kControlIdProperty, element.controlId());
    // The element paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (element.region() == layout::RegionId::KwNavigate)
        setFocusPolicy(Qt::TabFocus);
    setGeometry(0, 0, 0, 0);
}

void CPreviewElement::setSelected(bool on)
{
    if (m_element.selected() == on)
        return;
    m_element.setSelected(on);
    repaint();
}

void CPreviewElement::refresh()
{
    update();
}

void CPreviewElement::EditProperties()
{
    if (m_host)
        m_host->editProperties(*this);
}

void CPreviewElement::ChooseGraphic()
{
    if (m_host)
        m_host->chooseGraphic(*this);
}

void CPreviewElement::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintElement(painter, m_element, width(), height());
}

void CPreviewElement::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        EditProperties();
}

void CPreviewElement::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_host)
        m_host->showContextMenu(*this, event->globalPosition().toPoint());
}

// --- start page controls -------------------------------------------------------------------------

CLogoPictureCtrl::CLogoPictureCtrl(const portalpage::CAppPageElement &page, QWidget *parent)
    : QWidget(parent), m_page(page)
{
    setObjectName(QStringLiteral("101"));
    setWindowTitle(QStringLiteral("Picture"));
}

void CLogoPictureCtrl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), platform::toQColor(m_page.style().backgroundColor));
    paintLogoControl(painter, m_page.logoPicture(), rect());
}

void CLogoPictureCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Taken here: passed on, the element under the logo would open its property sheet as well.
    event->accept();
    if (onDoubleClick)
        onDoubleClick();
}

CWelcomeTextEdit::CWelcomeTextEdit(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("102"));
    setAccessibleName(QStringLiteral("Begrüssungstext"));
    setAcceptRichText(false);
    // The layout's history keeps what is typed here, key by key merged into one step.
    setUndoRedoEnabled(false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
    QTextOption centred = document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    document()->setDefaultTextOption(centred);
    m_hoverTimer.setInterval(kHoverInterval);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { checkHover(); });
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_showing && onEdited)
            onEdited(toPlainText().toStdString());
    });
}

void CWelcomeTextEdit::showPage(const portalpage::CAppPageElement &page)
{
    setFont(platform::QPainterPaintDevice::toQFont(page.welcomeFont()));
    QPalette colors = palette();
    colors.setColor(QPalette::Base, platform::toQColor(page.style().backgroundColor));
    colors.setColor(QPalette::Text, platform::toQColor(welcomeTextColor(page)));
    setPalette(colors);
    const QString text = QString::fromStdString(page.welcomeText());
    if (text == toPlainText())
        return;
    // Replacing the text (undo, redo) puts the caret at the start; it stays where it was, as far as the
    // new text reaches.
    const int caret = textCursor().position();
    m_showing = true;
    setPlainText(text);
    m_showing = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(document()->characterCount()) - 1));
    setTextCursor(cursor);
}

bool CWelcomeTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination pressed = key->keyCombination();
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            // Not taken: the key goes on to the module's shortcuts.
            event->ignore();
            return true;
        }
    }
    return QTextEdit::event(event);
}

void CWelcomeTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    struct HistoryItem {
        const char *qtName; // the object name of Qt's own item, which would undo the control's own edits
        const char *text;
        HistoryStep step;
    };
    static constexpr std::array<HistoryItem, 2> kHistoryItems = {{
        {"edit-undo", "&Rückgängig\tStrg+Z", HistoryStep::Back},
        {"edit-redo", "&Wiederholen\tStrg+Y", HistoryStep::Forward},
    }};
    QMenu *menu = createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const QAction *qtItem : menu->actions())
        if (std::ranges::any_of(kHistoryItems, [&](const HistoryItem &item) {
                return qtItem->objectName() == QLatin1String(item.qtName);
            }))
            delete qtItem;
    QAction *first = menu->actions().value(0);
    for (const HistoryItem &item : kHistoryItems) {
        auto *action = new QAction(QString::fromUtf8(item.text), menu);
        action->setEnabled(canStepHistory && canStepHistory(item.step));
        connect(action, &QAction::triggered, this, [this, step = item.step] {
            if (stepHistory)
                stepHistory(step);
        });
        menu->insertAction(first, action);
    }
    menu->popup(event->globalPos());
}

void CWelcomeTextEdit::enterEvent(QEnterEvent *event)
{
    QTextEdit::enterEvent(event);
    m_hovered = true;
    m_hoverTimer.start();
    viewport()->update();
}

void CWelcomeTextEdit::checkHover()
{
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    m_hoverTimer.stop();
    m_hovered = false;
    viewport()->update();
}

void CWelcomeTextEdit::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    viewport()->update();
    // Only the user's own move into the control opens the sheet: a left click or the Tab key. The focus
    // coming back with its window (a dialog or menu closing, switching windows, the frame activated) opens
    // nothing, and neither does the right button, which brings the focus along with the edit menu.
    const Qt::FocusReason reason = event->reason();
    const bool tabbed = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    const bool leftClick =
        reason == Qt::MouseFocusReason && !QGuiApplication::mouseButtons().testFlag(Qt::RightButton);
    if (onFocused && (tabbed || leftClick))
        onFocused();
}

void CWelcomeTextEdit::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    viewport()->update();
}

void CWelcomeTextEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    if (!framed())
        return;
    // Without the frame the base paints the client area over in the element's background colour.
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
}

// --- application page ----------------------------------------------------------------------------

CAppPageWindow::CAppPageWindow(portalpage::CAppPageElement &page, QWidget *parent, ElementHost *host)
    : CPreviewElement(page, parent, host), m_page(page)
{
    if (!page.isDefaultStartPage)
        return;
    m_logo = new CLogoPictureCtrl(page, this);
    m_logo->onDoubleClick = [this] { ChooseGraphic(); };
    m_welcome = new CWelcomeTextEdit(this);
    if (host) {
        m_welcome->onEdited = [host](const std::string &text) { host->welcomeTextEdited(text); };
        m_welcome->onFocused = [host] { host->welcomeTextFocused(); };
        m_welcome->canStepHistory = [host](HistoryStep step) { return host->canStepHistory(step); };
        m_welcome->stepHistory = [host](HistoryStep step) { host->stepHistory(step); };
    }
    refresh();
}

bool CAppPageWindow::holdsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void CAppPageWindow::refresh()
{
    if (m_welcome)
        m_welcome->showPage(m_page);
    placeControls();
    CPreviewElement::refresh();
}

void CAppPageWindow::resizeEvent(QResizeEvent *event)
{
    CPreviewElement::resizeEvent(event);
    placeControls();
}

void CAppPageWindow::placeControls()
{
    if (!m_page.isDefaultStartPage)
        return;
    m_logo->setGeometry(toQRect(m_page.logoRect(width())));
    m_logo->setVisible(m_page.logoShown);
    m_logo->update();
    m_welcome->setGeometry(toQRect(m_page.welcomeRect(width())));
    m_welcome->setVisible(m_page.welcomeShown);
}

// --- the pane's windows --------------------------------------------------------------------------

// Sees every mouse press over an element window or its controls before they do, and selects the element.
class PaneElements::SelectionFilter final : public QObject {
public:
    explicit SelectionFilter(PaneElements &windows) : m_windows(windows) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_windows.select(windowOf(watched));
        return false;
    }

private:
    const CPreviewElement *windowOf(QObject *object) const
    {
        for (; object; object = object->parent())
            if (const auto *window = dynamic_cast<const CPreviewElement *>(object))
                return window;
        return nullptr;
    }

    PaneElements &m_windows;
};

PaneElements::PaneElements(portalpage::PortalPane &pane, QWidget *parent, ElementHost *host)
    : m_host(host), m_filter(std::make_unique<SelectionFilter>(*this))
{
    for (portalpage::CPreviewElement *element : pane.elements()) {
        CPreviewElement *window = nullptr;
        if (element == &pane.appPage()) {
            m_appPage = new CAppPageWindow(pane.appPage(), parent, host);
            window = m_appPage;
        } else {
            window = new CPreviewElement(*element, parent, host);
        }
        window->installEventFilter(m_filter.get());
        window->show();
        m_elements.emplace(std::string(element->name()), window);
        m_ordered.push_back(window);
    }
    if (m_appPage && m_appPage->welcomeControl()) {
        m_appPage->logoControl()->installEventFilter(m_filter.get());
        m_appPage->welcomeControl()->installEventFilter(m_filter.get());
        m_appPage->welcomeControl()->viewport()->installEventFilter(m_filter.get());
    }
}

// The filter leaves the windows' filter lists by itself when it goes.
PaneElements::~PaneElements() = default;

void PaneElements::select(const CPreviewElement *hit)
{
    bool changed = false;
    for (CPreviewElement *window : m_ordered) {
        changed = changed || window->selected() != (window == hit);
        window->setSelected(window == hit);
    }
    if (changed && m_host)
        m_host->selectionChanged();
}

CPreviewElement *PaneElements::selected() const
{
    for (CPreviewElement *window : m_ordered)
        if (window->selected())
            return window;
    return nullptr;
}

CPreviewElement *PaneElements::element(std::string_view name) const
{
    const auto found = m_elements.find(name);
    return found == m_elements.end() ? nullptr : found->second;
}

void PaneElements::place(const portalpage::PaneLayout &layout, QPoint offset)
{
    for (CPreviewElement *window : m_ordered) {
        const QRect target = toQRect(layout[window->element().region()]).translated(-offset);
        if (window->geometry() != target)
            window->setGeometry(target);
        window->update();
    }
    // A hidden pane gets its resize events only when shown; the controls must be right before that.
    if (m_appPage)
        m_appPage->placeControls();
}

void PaneElements::refresh()
{
    for (CPreviewElement *window : m_ordered)
        window->refresh();
}

} // namespace kw::preview

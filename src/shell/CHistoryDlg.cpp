#include "shell/CHistoryDlg.h"

#include "shell/CKwLOutTabbedView.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace kw::shell {

namespace {

constexpr const char *kInitialState = "Ausgangszustand";
constexpr const char *kSavedMark = " (gespeichert)";
/// What a screen reader says after a step that redo would bring back (the list shows it greyed).
constexpr const char *kUndoneMark = " (rückgängig gemacht)";

} // namespace

CHistoryDlg::CHistoryDlg(CKwLOutTabbedView &view, QWidget *parent)
    : QDialog(parent, Qt::Tool), m_view(view), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(QStringLiteral("Änderungsverlauf"));
    // Shown beside the designer, it leaves the keyboard where the user works.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_list->setAccessibleName(QStringLiteral("Schritte des Layouts"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_list);
    resize(320, 360);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_refreshing || row < 0)
            return;
        m_view.goToHistoryPosition(static_cast<std::size_t>(row));
        // A move that failed shows where the history really is.
        if (m_view.document().history().position() != static_cast<std::size_t>(row))
            refresh();
    });
    refresh();
}

void CHistoryDlg::refresh()
{
    const layout::LayoutDocument &document = m_view.document();
    const layout::LayoutHistory &history = document.history();
    m_refreshing = true;
    // Rows are made anew only when their number changed: a move within the history (maybe from a click
    // on this list) only restyles them.
    const int rows = document.isOpen() ? static_cast<int>(history.steps().size()) + 1 : 0;
    if (m_list->count() != rows) {
        m_list->clear();
        for (int row = 0; row < rows; ++row)
            new QListWidgetItem(m_list);
    }
    const QColor redoable = palette().color(QPalette::Disabled, QPalette::Text);
    const QColor applied = palette().color(QPalette::Active, QPalette::Text);
    for (int row = 0; row < rows; ++row) {
        const auto position = static_cast<std::size_t>(row);
        QString text = row == 0 ? QString::fromUtf8(kInitialState)
                                : QString::fromStdString(history.steps()[position - 1].name);
        if (history.savedPosition() == position)
            text += QString::fromUtf8(kSavedMark);
        QListWidgetItem *item = m_list->item(row);
        item->setText(text);
        const bool redo = position > history.position();
        item->setForeground(redo ? redoable : applied);
        item->setData(Qt::AccessibleTextRole, redo ? text + QString::fromUtf8(kUndoneMark) : text);
        QFont font = item->font();
        font.setItalic(redo);
        item->setFont(font);
    }
    if (rows > 0)
        m_list->setCurrentRow(static_cast<int>(history.position()));
    m_list->setEnabled(m_view.historyAvailable());
    m_refreshing = false;
}

} // namespace kw::shell

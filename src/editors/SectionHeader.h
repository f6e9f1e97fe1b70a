// The caption of a group of controls in header mode: bold text followed by a rule to the right edge.
#pragma once

#include <QWidget>

class QLabel;

namespace kw::editors {

class SectionHeader : public QWidget {
public:
    SectionHeader(const QString &text, QWidget *parent = nullptr);

    QString text() const;
    /// The control an "&" shortcut of the text moves to (the text then shows the letter underlined).
    void setBuddy(QWidget *buddy);

private:
    QLabel *m_label;
};

} // namespace kw::editors

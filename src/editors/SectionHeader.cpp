#include "editors/SectionHeader.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace kw::editors {

SectionHeader::SectionHeader(const QString &text, QWidget *parent) : QWidget(parent)
{
    m_label = new QLabel(text, this);
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(rule, 1);
}

QString SectionHeader::text() const
{
    return m_label->text();
}

void SectionHeader::setBuddy(QWidget *buddy)
{
    m_label->setBuddy(buddy);
}

} // namespace kw::editors

// The buttons the editors share.
#include "editors/DialogButtons.h"

#include "platform/HelpLauncher.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

QPushButton *button(QDialog &dialog, const char *text, int id)
{
    auto *made = new QPushButton(QString::fromUtf8(text), &dialog);
    made->setObjectName(QString::number(id));
    made->setAutoDefault(false);
    return made;
}

} // namespace

QVBoxLayout *makeButtonColumn(QDialog &dialog, int helpId, std::string_view helpTopic)
{
    QPushButton *ok = button(dialog, "OK", 1);
    ok->setDefault(true);
    QPushButton *cancel = button(dialog, "Abbrechen", 2);
    QPushButton *help = button(dialog, "&Hilfe", helpId);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto showHelp = [helpTopic] { platform::showHelpTopic(helpTopic); };
    QObject::connect(help, &QPushButton::clicked, &dialog, showHelp);
    QObject::connect(new QShortcut(QKeySequence::HelpContents, &dialog), &QShortcut::activated, &dialog,
                     showHelp);
    auto *column = new QVBoxLayout;
    for (QPushButton *b : {ok, cancel, help})
        column->addWidget(b);
    column->addStretch();
    return column;
}

QDialogButtonBox *makeOkCancelBox(QDialog &dialog)
{
    auto *box = new QDialogButtonBox(&dialog);
    QPushButton *ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setAutoDefault(false);
    QPushButton *cancel = box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

} // namespace kw::editors

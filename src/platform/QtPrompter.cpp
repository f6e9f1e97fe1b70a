#include "platform/QtPrompter.h"

#include "platform/QtStrings.h"

#include <QApplication>

namespace kw::platform {

QtPrompter::QtPrompter(BoxRunner runner, QString title)
    : m_runner(std::move(runner)), m_title(title.isEmpty() ? qt(loadString(StringId::LayoutManager)) : title)
{
}

std::unique_ptr<QMessageBox> QtPrompter::makeBox(QMessageBox::Icon icon, std::string_view text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton preset) const
{
    auto box = std::make_unique<QMessageBox>(icon, m_title, qt(text), buttons, QApplication::activeWindow());
    box->setDefaultButton(preset);
    box->setTextFormat(Qt::PlainText);
    return box;
}

int QtPrompter::run(QMessageBox &box) const
{
    if (m_runner)
        return m_runner(box);
    return box.exec();
}

std::unique_ptr<QMessageBox> QtPrompter::messageBox(std::string_view message) const
{
    return makeBox(QMessageBox::Warning, message, QMessageBox::Ok, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> QtPrompter::questionBox(std::string_view question) const
{
    return makeBox(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
}

std::unique_ptr<QMessageBox> QtPrompter::cancellableQuestionBox(std::string_view question) const
{
    auto box = makeBox(QMessageBox::Question, question,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

std::unique_ptr<QMessageBox> QtPrompter::errorBox(StringId message, const ServerError &error) const
{
    auto box = makeBox(QMessageBox::Critical, loadString(message), QMessageBox::Ok, QMessageBox::Ok);
    box->setInformativeText(QString::fromUtf8(error.what()));
    box->setDetailedText(
        QStringLiteral("0x%1").arg(static_cast<quint32>(error.code()), 8, 16, QLatin1Char('0')));
    return box;
}

void QtPrompter::tell(std::string_view message)
{
    auto box = messageBox(message);
    run(*box);
}

Prompter::Answer QtPrompter::ask(std::string_view question)
{
    auto box = questionBox(question);
    return run(*box) == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Prompter::Answer QtPrompter::askWithCancel(std::string_view question)
{
    auto box = cancellableQuestionBox(question);
    switch (run(*box)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtPrompter::showExtendedError(StringId message, const ServerError &error)
{
    auto box = errorBox(message, error);
    run(*box);
}

} // namespace kw::platform

// The Prompter on Qt message boxes: plain messages, Yes/No questions and the extended error dialog.
#pragma once

#include "base/Prompter.h"

#include <QMessageBox>

#include <functional>
#include <memory>

namespace kw::platform {

/// Shows every prompt in a modal QMessageBox over the active window. The title is the module's name
/// (string 12500); questions offer Yes and No with Yes as the default; the extended error shows the text of
/// its message id and, below it, the server's own error text.
class QtPrompter final : public Prompter {
public:
    /// Runs a prepared box and returns the QMessageBox::StandardButton pressed. The default runs it modally;
    /// tests pass one that inspects the box and answers.
    using BoxRunner = std::function<int(QMessageBox &)>;

    /// `title` replaces the module's name as the boxes' title when not empty.
    explicit QtPrompter(BoxRunner runner = {}, QString title = {});

    void tell(std::string_view message) override;
    Answer ask(std::string_view question) override;
    Answer askWithCancel(std::string_view question) override;
    void showExtendedError(StringId message, const ServerError &error) override;
    using Prompter::ask;
    using Prompter::askWithCancel;
    using Prompter::tell;

    /// The boxes as they are shown (parented to the active window, if any).
    std::unique_ptr<QMessageBox> messageBox(std::string_view message) const;
    std::unique_ptr<QMessageBox> questionBox(std::string_view question) const;
    /// Yes, No and Cancel; Escape and the close button answer Cancel.
    std::unique_ptr<QMessageBox> cancellableQuestionBox(std::string_view question) const;
    std::unique_ptr<QMessageBox> errorBox(StringId message, const ServerError &error) const;

private:
    std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, std::string_view text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton preset) const;
    int run(QMessageBox &box) const;

    BoxRunner m_runner;
    QString m_title;
};

} // namespace kw::platform

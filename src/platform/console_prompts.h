#pragma once
#include "platform/prompts.h"

#include <cstdio>

namespace kinloom {

// Prompts for batch work without windows (kinloom-cli): every message is printed on an output
// stream (stderr by default), one text per line without its caption, and gets a fixed answer;
// dialogs that would ask for a file, a text, a font or a colour are cancelled. It remembers the
// last error box so that a command can turn it into its exit status.
class ConsolePrompts : public Prompts {
public:
    // `questionAnswer` answers Yes/No and Yes/No/Cancel questions (Yes by default: batch commands
    // say up front what they want done).
    explicit ConsolePrompts(FILE* out = stderr, PromptAnswer questionAnswer = PromptAnswer::Yes);

    PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& caption, const QString& label,
                                     const QString& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;

    bool errorShown() const { return errorCount_ > 0; }
    int errorCount() const { return errorCount_; }
    const QString& lastError() const { return lastError_; }
    int messageCount() const { return messageCount_; }

private:
    FILE* out_;
    PromptAnswer questionAnswer_;
    int errorCount_ = 0;
    int messageCount_ = 0;
    QString lastError_;
};

}  // namespace kinloom

#pragma once
#include "platform/prompts.h"

#include <deque>
#include <vector>

namespace kinloom {

// A Prompts that answers from a queue and records every request, for tests and batch work.
// With an empty queue a message gets its default answer (OK, Yes for Yes/No...) unless
// strict mode is on, and a dialog is cancelled.
class ScriptedPrompts : public Prompts {
public:
    struct Record {
        QString kind;     // "message", "open", "save", "input", "font", "color"
        QString caption;  // caption or dialog title
        QString text;     // message text or label
        PromptButtons buttons = PromptButtons::Ok;
        PromptIcon icon = PromptIcon::None;
        FileDialogRequest file;
    };
    // Queue the answers: buttons for messages, texts for file dialogs and input boxes
    // (std::nullopt = cancelled), fonts and colours for their dialogs.
    void answerButton(PromptAnswer a) { buttons_.push_back(a); }
    void answerText(std::optional<QString> s) { texts_.push_back(std::move(s)); }
    void answerFont(std::optional<QFont> f) { fonts_.push_back(std::move(f)); }
    void answerColor(std::optional<QColor> c) { colors_.push_back(std::move(c)); }

    const std::vector<Record>& records() const { return records_; }
    std::vector<QString> messageTexts() const;
    void clear();
    size_t pendingAnswers() const {
        return buttons_.size() + texts_.size() + fonts_.size() + colors_.size();
    }

    PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& caption, const QString& label,
                                     const QString& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;

private:
    template <typename T>
    static std::optional<T> pop(std::deque<std::optional<T>>& queue);
    std::deque<PromptAnswer> buttons_;
    std::deque<std::optional<QString>> texts_;
    std::deque<std::optional<QFont>> fonts_;
    std::deque<std::optional<QColor>> colors_;
    std::vector<Record> records_;
};

}  // namespace kinloom

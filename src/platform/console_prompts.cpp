#include "platform/console_prompts.h"

namespace kinloom {

ConsolePrompts::ConsolePrompts(FILE* out, PromptAnswer questionAnswer)
    : out_(out), questionAnswer_(questionAnswer) {}

PromptAnswer ConsolePrompts::message(const QString&, const QString& text, PromptButtons buttons,
                                     PromptIcon icon) {
    ++messageCount_;
    if (icon == PromptIcon::Error) {
        ++errorCount_;
        lastError_ = text;
    }
    if (out_) {
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out_);
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    switch (buttons) {
    case PromptButtons::YesNo:
        return questionAnswer_ == PromptAnswer::Cancel ? PromptAnswer::No : questionAnswer_;
    case PromptButtons::YesNoCancel: return questionAnswer_;
    case PromptButtons::OkCancel: return PromptAnswer::Ok;
    case PromptButtons::OkIgnore: return PromptAnswer::Ok;
    case PromptButtons::Ok: break;
    }
    return PromptAnswer::Ok;
}

std::optional<QString> ConsolePrompts::openFileName(const FileDialogRequest&) { return std::nullopt; }
std::optional<QString> ConsolePrompts::saveFileName(const FileDialogRequest&) { return std::nullopt; }
std::optional<QString> ConsolePrompts::inputText(const QString&, const QString&, const QString&) {
    return std::nullopt;
}
std::optional<QFont> ConsolePrompts::chooseFont(const QFont&) { return std::nullopt; }
std::optional<QColor> ConsolePrompts::chooseColor(const QColor&) { return std::nullopt; }

}  // namespace kinloom

#include "platform/scripted_prompts.h"

namespace kinloom {

namespace {
PromptAnswer defaultAnswer(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
    default: return PromptAnswer::Ok;
    }
}
}  // namespace

template <typename T>
std::optional<T> ScriptedPrompts::pop(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;  // an unscripted dialog is cancelled
    const bool answered = queue.front().has_value();
    const T value = answered ? *queue.front() : T();
    queue.pop_front();
    if (!answered) return std::nullopt;
    return value;
}

void ScriptedPrompts::clear() {
    records_.clear();
    buttons_.clear();
    texts_.clear();
    fonts_.clear();
    colors_.clear();
}

std::vector<QString> ScriptedPrompts::messageTexts() const {
    std::vector<QString> out;
    for (const auto& r : records_)
        if (r.kind == "message") out.push_back(r.text);
    return out;
}

PromptAnswer ScriptedPrompts::message(const QString& caption, const QString& text,
                                      PromptButtons buttons, PromptIcon icon) {
    records_.push_back({"message", caption, text, buttons, icon, {}});
    if (buttons_.empty()) return defaultAnswer(buttons);
    const PromptAnswer a = buttons_.front();
    buttons_.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompts::openFileName(const FileDialogRequest& request) {
    records_.push_back({"open", request.title, {}, PromptButtons::Ok, PromptIcon::None, request});
    return pop(texts_);
}

std::optional<QString> ScriptedPrompts::saveFileName(const FileDialogRequest& request) {
    records_.push_back({"save", request.title, {}, PromptButtons::Ok, PromptIcon::None, request});
    return pop(texts_);
}

std::optional<QString> ScriptedPrompts::inputText(const QString& caption, const QString& label,
                                                  const QString&) {
    records_.push_back({"input", caption, label, PromptButtons::OkCancel, PromptIcon::None, {}});
    return pop(texts_);
}

std::optional<QFont> ScriptedPrompts::chooseFont(const QFont&) {
    records_.push_back({"font", {}, {}, PromptButtons::OkCancel, PromptIcon::None, {}});
    return pop(fonts_);
}

std::optional<QColor> ScriptedPrompts::chooseColor(const QColor&) {
    records_.push_back({"color", {}, {}, PromptButtons::OkCancel, PromptIcon::None, {}});
    return pop(colors_);
}

}  // namespace kinloom

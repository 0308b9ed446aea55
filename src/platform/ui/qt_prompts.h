#pragma once
#include "platform/prompts.h"

class QWidget;

namespace kinloom {

// The prompts as real Qt dialogs, parented to the window that is active at the time.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> inputText(const QString& caption, const QString& label,
                                     const QString& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;

private:
    QWidget* parentWidget() const;
    QWidget* parent_;
};

// "Kinloom files (*.kl3)|*.kl3|All (*.*)|*.*" as Qt's name filters: each pair's description,
// with the pattern list in brackets when the description lacks it.
QStringList qtNameFilters(const QString& filter);

}  // namespace kinloom

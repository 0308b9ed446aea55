#pragma once
#include "platform/prompts.h"

class QWidget;

namespace kinloom {

// The prompts as real Qt dialogs, parented to the window that is active at the time.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer Message(const QString& caption, const QString& text, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<QString> InputText(const QString& caption, const QString& label,
                                     const QString& initial) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;

private:
    QWidget* parentWidget() const;
    QWidget* parent_;
};

// "Kinloom files (*.kl3)|*.kl3|All (*.*)|*.*" as Qt's name filters: each pair's description,
// with the pattern list in brackets when the description lacks it.
QStringList qtNameFilters(const QString& filter);

}  // namespace kinloom

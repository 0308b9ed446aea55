#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

namespace kinloom {

// Everything modal that tells or asks the user goes through this seam: the Qt implementation shows
// real dialogs, the scripted one answers from a script and records what was asked.
enum class PromptButtons { Ok, OkCancel, OkIgnore, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No, Ignore };

struct FileDialogRequest {
    QString title;
    QString filter;            // "Kinloom files (*.kl3)|*.kl3", pairs separated by '|'
    QString defaultExtension;  // without the dot, e.g. "kl3"
    QString fileName;          // preset name
    QString directory;
    bool promptOverwrite = false;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                                 PromptIcon icon) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> inputText(const QString& caption, const QString& label,
                                             const QString& initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;

    // Convenience for a plain information box with an OK button.
    void inform(const QString& caption, const QString& text) {
        message(caption, text, PromptButtons::Ok, PromptIcon::Information);
    }
    void error(const QString& caption, const QString& text) {
        message(caption, text, PromptButtons::Ok, PromptIcon::Error);
    }
};

// The caption of a plain message box: the application title.
inline const QString kAppTitle = QStringLiteral("Kinloom 2.0");

}  // namespace kinloom

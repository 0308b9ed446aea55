#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kinloom {

QStringList qtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(')))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QWidget* QtPrompts::parentWidget() const {
    // A modal window that is running (the GEDCOM import while it reads) comes first, whether or not
    // it has the focus: a box parented elsewhere would open behind it.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

namespace {
// A box over a window that stays on top must stay on top too, or it opens behind that window.
void stayAboveParent(QWidget& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (parent && parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
}
}  // namespace

PromptAnswer QtPrompts::message(const QString& caption, const QString& text, PromptButtons buttons,
                                PromptIcon icon) {
    QMessageBox box(parentWidget());
    stayAboveParent(box);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::None: break;
    }
    switch (buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case PromptButtons::OkIgnore: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Ignore); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // Escape or the close box answers the gentlest choice on offer.
    if (buttons == PromptButtons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Ignore: return PromptAnswer::Ignore;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    default: return buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::Ok;
    }
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& r, bool save) {
    QFileDialog dialog(parent, r.title);
    stayAboveParent(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtNameFilters(r.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!r.defaultExtension.isEmpty()) dialog.setDefaultSuffix(r.defaultExtension);
    if (!save || !r.promptOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!r.directory.isEmpty()) dialog.setDirectory(r.directory);
    if (!r.fileName.isEmpty()) {
        const QFileInfo info(r.fileName);
        if (r.directory.isEmpty() && !info.path().isEmpty() && info.path() != QStringLiteral("."))
            dialog.setDirectory(info.path());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtPrompts::openFileName(const FileDialogRequest& request) {
    return runFileDialog(parentWidget(), request, false);
}

std::optional<QString> QtPrompts::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(parentWidget(), request, true);
}

std::optional<QString> QtPrompts::inputText(const QString& caption, const QString& label, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parentWidget(), caption, label, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QFont> QtPrompts::chooseFont(const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parentWidget(), QString(),
                                            QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return font;
}

std::optional<QColor> QtPrompts::chooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parentWidget());
    if (!color.isValid()) return std::nullopt;
    return color;
}

}  // namespace kinloom

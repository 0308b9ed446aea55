#include "gedcom_cli_support.h"

#include "cli_support.h"
#include "document/item_store.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"
#include "platform/registry.h"
#include "platform/file_references.h"

#include <cstdio>
#include <unistd.h>

namespace kinloom::cli {

namespace {
// Shows the import's progress on a terminal, on one line that is rewritten in place.
class TerminalProgress : public GedcomImportUser {
public:
    void progress(int percent) override {
        percent_ = percent;
        show();
    }
    void individualsRead(int n) override { individuals_ = n; }
    void familiesRead(int n) override { families_ = n; }
    void status(const QString& text) override {
        if (text.startsWith(QLatin1String("Please wait"))) {
            show();
            std::fprintf(stderr, "\n%s\n", qPrintable(text));
        }
    }

private:
    void show() {
        std::fprintf(stderr, "\r%3d %%  individuals read: %d  families read: %d", percent_, individuals_, families_);
        std::fflush(stderr);
    }
    int percent_ = 0, individuals_ = 0, families_ = 0;
};

// Keeps the failure's status line: stderr gets it after the message box's text.
class QuietUser : public GedcomImportUser {
public:
    void status(const QString& text) override { last = text; }
    QString last;
};
}  // namespace

bool isGedcomName(const QString& path) { return path.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive); }

bool importGedcomForCli(const char* command, const QString& path, ItemStore& store, ConsolePrompts& prompts,
                        ArrangeStyle style) {
    TerminalProgress terminal;
    QuietUser quiet;
    const bool onTerminal = isatty(fileno(stderr)) != 0;
    GedcomImportUser& user = onTerminal ? static_cast<GedcomImportUser&>(terminal) : quiet;
    ViewState view;
    const GedcomImportResult r = importGedcomFile(store, view, WindowSize{}, path, user, prompts, style);
    if (!r.ok) {
        fail(command, gedcomImportFailedStatus(r.lines));
        return false;
    }
    // A ZIP file or an empty file reads without a malformed line, but it is no family tree.
    if (r.individuals == 0) {
        fail(command, QStringLiteral("No individuals found in %1.").arg(path));
        return false;
    }
    return true;
}

bool exportGedcomForCli(const char* command, const QString& path, ItemStore& store, const QDateTime& now,
                        const QString& treeFile) {
    const std::unique_ptr<Registry> registry = openIniRegistry(defaultRegistryPath());
    const GedcomNotesSource notes{
        treeFolderOf(treeFile),
        DisplayCharset(registry->readString(kSettingsKey, QStringLiteral("ScreenCharset"),
                                            QString::number(DisplayCharset::kSystemDefault)).toInt())};
    QString error;
    GedcomExportCounts counts;
    if (writeGedcomFile(store, path, now.date(), now.time(), &error, &counts, notes)) {
        // Told on stderr as a failure is, though the file was written.
        if (counts.unreadableNotes == 1)
            fail(command, QStringLiteral("1 notes file could not be read; its notes are not in %1").arg(path));
        else if (counts.unreadableNotes > 1)
            fail(command, QStringLiteral("%1 notes files could not be read; their notes are not in %2")
                              .arg(counts.unreadableNotes)
                              .arg(path));
        return true;
    }
    fail(command, QStringLiteral("%1: %2").arg(path, error));
    return false;
}

}  // namespace kinloom::cli

#include "gedcom_cli_support.h"

#include "cli_support.h"
#include "document/item_store.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"

#include <cstdio>
#include <unistd.h>

namespace kinloom::cli {

namespace {
// Shows the import's progress on a terminal, on one line that is rewritten in place.
class TerminalProgress : public GedcomImportUser {
public:
    void Progress(int percent) override {
        percent_ = percent;
        show();
    }
    void IndividualsRead(int n) override { individuals_ = n; }
    void FamiliesRead(int n) override { families_ = n; }
    void Status(const QString& text) override {
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
    void Status(const QString& text) override { last = text; }
    QString last;
};
}  // namespace

bool IsGedcomName(const QString& path) { return path.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive); }

bool ImportGedcomForCli(const char* command, const QString& path, TItemStore& store, ConsolePrompts& prompts) {
    TerminalProgress terminal;
    QuietUser quiet;
    const bool onTerminal = isatty(fileno(stderr)) != 0;
    GedcomImportUser& user = onTerminal ? static_cast<GedcomImportUser&>(terminal) : quiet;
    ViewState view;
    const GedcomImportResult r = ImportGedcomFile(store, view, WindowSize{}, path, user, prompts);
    if (!r.ok) {
        Fail(command, GedcomImportFailedStatus(r.lines));
        return false;
    }
    return true;
}

bool ExportGedcomForCli(const char* command, const QString& path, TItemStore& store, const QDateTime& now) {
    QString error;
    if (WriteGedcomFile(store, path, now.date(), now.time(), &error)) return true;
    Fail(command, QStringLiteral("%1: %2").arg(path, error));
    return false;
}

}  // namespace kinloom::cli

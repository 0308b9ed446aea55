#pragma once
#include "document/item_store.h"
#include "gedcom/gedcom_import.h"
#include "platform/scripted_prompts.h"

#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace kinloom::test {

// Records what an import tells its user.
struct RecordingUser : GedcomImportUser {
    QStringList statuses;
    QString file;
    int lastPercent = -1;
    int individuals = 0;
    int families = 0;
    int beeps = 0;
    void fileChosen(const QString& f) override { file = f; }
    void progress(int p) override { lastPercent = p; }
    void individualsRead(int n) override { individuals = n; }
    void familiesRead(int n) override { families = n; }
    void status(const QString& s) override { statuses << s; }
    void beep() override { ++beeps; }
};

// A GEDCOM text written to a temporary file and read into a store.
struct GedcomFixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store{&prompts};
    RecordingUser user;
    GedcomImportResult result;

    QString write(const std::string& bytes, const QString& name = QStringLiteral("in.ged"));
    // Lines joined with "\r\n" (or the given line end) and read without arranging.
    GedcomImportResult read(const std::string& text);
    PersonItem* item(int index) const;  // 0-based, in store order
};

// Lines joined with a line end, one after the last line too.
std::string lines(std::initializer_list<const char*> lines, const char* eol = "\r\n");

}  // namespace kinloom::test

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
    void FileChosen(const QString& f) override { file = f; }
    void Progress(int p) override { lastPercent = p; }
    void IndividualsRead(int n) override { individuals = n; }
    void FamiliesRead(int n) override { families = n; }
    void Status(const QString& s) override { statuses << s; }
    void Beep() override { ++beeps; }
};

// A GEDCOM text written to a temporary file and read into a store.
struct GedcomFixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    TItemStore store{&prompts};
    RecordingUser user;
    GedcomImportResult result;

    QString Write(const std::string& bytes, const QString& name = QStringLiteral("in.ged"));
    // Lines joined with "\r\n" (or the given line end) and read without arranging.
    GedcomImportResult Read(const std::string& text);
    TPersonItem* Item(int index) const;  // 0-based, in store order
};

// Lines joined with a line end, one after the last line too.
std::string Lines(std::initializer_list<const char*> lines, const char* eol = "\r\n");

}  // namespace kinloom::test

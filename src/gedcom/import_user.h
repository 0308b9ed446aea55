#pragma once
#include <QString>

namespace kinloom {

// What a GEDCOM import tells whoever runs it. The import dialog shows it; kinloom-cli prints
// progress on a terminal. Every call has an empty default so a caller overrides only what it shows.
class GedcomImportUser {
public:
    virtual ~GedcomImportUser() = default;
    virtual void FileChosen(const QString& fileName) { (void)fileName; }
    virtual void Progress(int percent) { (void)percent; }
    virtual void IndividualsRead(int count) { (void)count; }
    virtual void FamiliesRead(int count) { (void)count; }
    virtual void Status(const QString& text) { (void)text; }
    // Called often while reading, so that a window can process its events and stay responsive.
    virtual void KeepAlive() {}
    // The file could not be read to its end; called before the failure is shown, so that a window
    // can leave its busy state (enable OK, restore the arrow cursor) first.
    virtual void ReadingFailed() {}
    // The import ended, well or not.
    virtual void Beep() {}
};

}  // namespace kinloom

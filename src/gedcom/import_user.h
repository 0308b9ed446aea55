#pragma once
#include <QString>

namespace kinloom {

// What a GEDCOM import tells whoever runs it. The import dialog shows it; kinloom-cli prints
// progress on a terminal. Every call has an empty default so a caller overrides only what it shows.
class GedcomImportUser {
public:
    virtual ~GedcomImportUser() = default;
    virtual void fileChosen(const QString& fileName) { (void)fileName; }
    virtual void progress(int percent) { (void)percent; }
    virtual void individualsRead(int count) { (void)count; }
    virtual void familiesRead(int count) { (void)count; }
    virtual void status(const QString& text) { (void)text; }
    // Called often while reading, so that a window can process its events and stay responsive.
    virtual void keepAlive() {}
    // The file could not be read to its end; called before the failure is shown, so that a window
    // can leave its busy state (enable OK, restore the arrow cursor) first.
    virtual void readingFailed() {}
    // The import ended, well or not.
    virtual void beep() {}
};

}  // namespace kinloom

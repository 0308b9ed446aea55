#pragma once
#include <QString>

#include <functional>

namespace kinloom {

// Opens a file or an address with the user's default program (browser, text viewer...).
// False when no program could be started for it.
bool shellOpen(const QString& fileOrAddress);

// What the user is told when no browser could be started for a page or an address.
inline const QString kNoBrowserMessage = QStringLiteral("Kinloom could not find your default internet browser.");

// Tests replace the desktop's opener to see what would be opened and to make it fail; an empty
// function puts the desktop's opener back.
using ShellOpener = std::function<bool(const QString& fileOrAddress)>;
void setShellOpener(ShellOpener opener);

}  // namespace kinloom

#pragma once
#include <QString>

namespace kinloom {

// Opens a file or an address with the user's default program (browser, text viewer...).
// False when no program could be started for it.
bool shellOpen(const QString& fileOrAddress);

}  // namespace kinloom

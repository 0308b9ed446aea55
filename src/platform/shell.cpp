#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kinloom {

namespace {

ShellOpener& replacedOpener() {
    static ShellOpener opener;
    return opener;
}

}  // namespace

void setShellOpener(ShellOpener opener) { replacedOpener() = std::move(opener); }

bool shellOpen(const QString& fileOrAddress) {
    if (fileOrAddress.isEmpty()) return false;
    if (replacedOpener()) return replacedOpener()(fileOrAddress);
    // A name that exists on disk is a file even when it looks like an address.
    const QUrl url = QFileInfo::exists(fileOrAddress)
        ? QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath())
        : QUrl::fromUserInput(fileOrAddress);
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace kinloom

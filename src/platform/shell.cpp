#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kinloom {

bool shellOpen(const QString& fileOrAddress) {
    if (fileOrAddress.isEmpty()) return false;
    // A name that exists on disk is a file even when it looks like an address.
    const QUrl url = QFileInfo::exists(fileOrAddress)
        ? QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath())
        : QUrl::fromUserInput(fileOrAddress);
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace kinloom

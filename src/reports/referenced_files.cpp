#include "reports/referenced_files.h"

#include <QDir>
#include <QFileInfo>

namespace kinloom {

QString treeFolderOf(const QString& treeFileName) {
    if (treeFileName.isEmpty()) return QDir::currentPath();
    return QFileInfo(treeFileName).absolutePath();
}

QString referencedPath(const QString& name, const QString& folder) {
    return QDir::isAbsolutePath(name) ? name : QDir(folder).filePath(name);
}

bool referencedFileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

}  // namespace kinloom

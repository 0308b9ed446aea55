#include "platform/file_references.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace kinloom {

namespace {

bool isFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString slashed(QString name) { return name.replace(QLatin1Char('\\'), QLatin1Char('/')); }

// "C:/Slekt/pics" or "//server/share/Slekt/pics": the folder names after the drive or share, or
// nothing when the name has neither.
std::optional<QStringList> afterDrive(const QString& name) {
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const bool drive = name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].unicode() < 0x80 && name[0].isLetter() &&
                       (name.size() == 2 || name[2] == QLatin1Char('/'));
    if (drive) return parts.mid(1);
    if (name.startsWith(QStringLiteral("//")) && parts.size() > 2) return parts.mid(2);
    return std::nullopt;
}

}  // namespace

QString treeFolderOf(const QString& treeFileName) {
    if (treeFileName.isEmpty()) return QDir::currentPath();
    return QFileInfo(treeFileName).absolutePath();
}

FileReferences::FileReferences(const QString& treeFolder)
    : treeFolder_(treeFolder.isEmpty() ? QDir::currentPath() : treeFolder) {}

QString FileReferences::path(const QString& name) const {
    if (name.isEmpty()) return {};
    const QString found = find(name);
    if (!found.isEmpty()) return found;
    const QString plain = slashed(name);
    return QDir::isAbsolutePath(plain) ? plain : QDir(treeFolder_).filePath(plain);
}

QString FileReferences::find(const QString& name) const {
    if (name.isEmpty()) return {};
    const QString exact = QDir::isAbsolutePath(name) ? name : QDir(treeFolder_).filePath(name);
    if (isFile(exact)) return exact;

    const QString plain = slashed(name);
    if (const std::optional<QStringList> parts = afterDrive(plain)) {
        // The tree and its files were moved off the drive together: try the path's tail below the
        // tree's folder, longest first.
        for (qsizetype first = 0; first < parts->size(); ++first) {
            const QString found = matchBelow(treeFolder_, parts->mid(first));
            if (!found.isEmpty()) return found;
        }
        return {};
    }
    const bool absolute = plain.startsWith(QLatin1Char('/'));
    return matchBelow(absolute ? QStringLiteral("/") : treeFolder_, plain.split(QLatin1Char('/'), Qt::SkipEmptyParts));
}

// The file below `base` whose path is `parts`: exactly, or else the only one that matches ignoring case.
QString FileReferences::matchBelow(const QString& base, const QStringList& parts) const {
    if (parts.isEmpty()) return {};
    const QString exact = QDir(base).filePath(parts.join(QLatin1Char('/')));
    if (isFile(exact)) return exact;

    QStringList candidates{base};
    for (qsizetype i = 0; i < parts.size() && !candidates.isEmpty(); ++i) {
        const QString& part = parts[i];
        const bool last = i + 1 == parts.size();
        QStringList next;
        for (const QString& folder : candidates) {
            const QDir dir(folder);
            if (part == QLatin1String(".") || part == QLatin1String("..")) {
                if (!last) next << QDir::cleanPath(dir.filePath(part));
                continue;
            }
            for (const QString& entry : listing(folder).value(part.toCaseFolded())) {
                const QString path = dir.filePath(entry);
                const QFileInfo info(path);
                if (info.exists() && info.isDir() != last) next << path;
            }
        }
        candidates = std::move(next);
    }
    return candidates.size() == 1 ? candidates.front() : QString();
}

const QHash<QString, QStringList>& FileReferences::listing(const QString& folder) const {
    const auto known = listings_.constFind(folder);
    if (known != listings_.constEnd()) return *known;
    QHash<QString, QStringList> byFolded;
    for (const QString& entry : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        byFolded[entry.toCaseFolded()] << entry;
    return *listings_.insert(folder, std::move(byFolded));
}

}  // namespace kinloom

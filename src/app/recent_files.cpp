#include "app/recent_files.h"

#include "platform/registry.h"

#include <QFileInfo>

#include <algorithm>

namespace kinloom {

namespace {
QString recentKey() { return kSettingsKey + QStringLiteral("\\Recent files"); }
QString valueName(int i) { return QStringLiteral("File%1").arg(i + 1); }

// One file may be reached by several paths; the list shows it once.
bool samePath(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
}  // namespace

void RecentFiles::load(Registry& registry) {
    files_.clear();
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = registry.readString(recentKey(), valueName(i), QString());
        if (!path.isEmpty()) files_ << path;
    }
}

void RecentFiles::save(Registry& registry) const {
    // Emptied values read as missing.
    for (int i = 0; i < kMaxFiles; ++i) registry.writeString(recentKey(), valueName(i), files_.value(i));
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty()) return;
    remove(path);
    files_.prepend(QFileInfo(path).absoluteFilePath());
    while (files_.size() > kMaxFiles) files_.removeLast();
}

void RecentFiles::remove(const QString& path) {
    files_.erase(std::remove_if(files_.begin(), files_.end(), [&path](const QString& f) { return samePath(f, path); }),
                 files_.end());
}

}  // namespace kinloom

#pragma once
#include <QString>
#include <QStringList>

namespace kinloom {

class Registry;

// The trees last opened or saved, newest first, at most eight, kept with the other settings below
// "Software\Kinloom.2.0\Recent files" as "File1" to "File8".
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    void load(Registry& registry);
    void save(Registry& registry) const;
    // Puts a file at the top (moving it there when it is listed already).
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& files() const { return files_; }

private:
    QStringList files_;
};

}  // namespace kinloom

#include "help/manual.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace kinloom {

QStringList manualFolderCandidates(const QString& programDir) {
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("KINLOOM_MANUAL_DIR");
    if (!fromEnvironment.isEmpty()) folders << fromEnvironment;
    const QDir program(programDir);
    folders << program.filePath(QStringLiteral("manual"));
    folders << QDir::cleanPath(program.filePath(QStringLiteral("../share/kinloom/manual")));
    return folders;
}

QString findManualFolder(const QString& programDir) {
    for (const QString& folder : manualFolderCandidates(programDir))
        if (QFileInfo(QDir(folder).filePath(kManualContentsPage)).isFile()) return QDir(folder).absolutePath();
    return {};
}

std::vector<ManualKeyword> readManualKeywords(const QString& manualFolder) {
    std::vector<ManualKeyword> keywords;
    QFile file(QDir(manualFolder).filePath(kManualKeywordsFile));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return keywords;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype bar = line.lastIndexOf(QLatin1Char('|'));
        if (bar <= 0) continue;
        keywords.push_back({line.left(bar).trimmed(), line.mid(bar + 1).trimmed()});
    }
    return keywords;
}

std::vector<ManualKeyword> filterManualKeywords(const std::vector<ManualKeyword>& keywords, const QString& typed) {
    const QStringList words = typed.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<ManualKeyword> found;
    for (const ManualKeyword& k : keywords) {
        const bool all = std::all_of(words.begin(), words.end(), [&k](const QString& w) {
            return k.keyword.contains(w, Qt::CaseInsensitive);
        });
        if (all) found.push_back(k);
    }
    return found;
}

}  // namespace kinloom

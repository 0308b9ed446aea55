#pragma once
#include <QString>
#include <QStringList>

#include <vector>

namespace kinloom {

// The user manual: a folder of HTML pages with "index.html" as its contents page and
// "keywords.txt" as its keyword index, one "keyword|page.html#anchor" per line.
inline const QString kManualContentsPage = QStringLiteral("index.html");
inline const QString kManualKeywordsFile = QStringLiteral("keywords.txt");
inline const QString kWhatsNewPage = QStringLiteral("whats-new.html");
inline const QString kGettingStartedPage = QStringLiteral("getting-started.html");

// The folders where the manual may be, in the order they are tried: $KINLOOM_MANUAL_DIR, the
// "manual" folder beside the program (the build tree), and share/kinloom/manual of the
// installation prefix the program runs from.
QStringList manualFolderCandidates(const QString& programDir);
// The first candidate that holds the contents page; empty when there is none.
QString findManualFolder(const QString& programDir);

struct ManualKeyword {
    QString keyword;
    QString target;  // a page of the manual, optionally with "#anchor"
};

// The keyword index in the order of the file; blank lines and lines starting with '#' are skipped.
std::vector<ManualKeyword> readManualKeywords(const QString& manualFolder);
// The keywords whose text contains every word typed, ignoring case; all of them for an empty filter.
std::vector<ManualKeyword> filterManualKeywords(const std::vector<ManualKeyword>& keywords, const QString& typed);

}  // namespace kinloom

#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace kinloom::test {

// poppler's command-line tools (scripts/setup.sh installs them): what a PDF reader sees.
inline QString runPdfTool(const QString& tool, const QStringList& args) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty()) return QStringLiteral("<%1 is missing: install poppler-utils>").arg(tool);
    QProcess p;
    p.start(path, args);
    if (!p.waitForFinished(60000)) return QStringLiteral("<%1 did not finish>").arg(tool);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

inline int pdfPageCount(const QString& pdf) {
    for (const QString& line : runPdfTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

inline QString pdfPageSize(const QString& pdf) {
    for (const QString& line : runPdfTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Page size:"))) return line.mid(10).trimmed();
    return {};
}

// The text of one page (counted from 1).
inline QString pdfPageText(const QString& pdf, int page) {
    return runPdfTool(QStringLiteral("pdftotext"),
                      {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                       QStringLiteral("-")});
}

}  // namespace kinloom::test

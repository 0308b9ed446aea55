#include "reports/html_report.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/imagecodec.h"
#include "reports/family_index.h"
#include "reports/html_pages.h"
#include "reports/page_encoder.h"
#include "reports/person_box.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace kinloom {

namespace {

// Writes a whole file under a temporary name and renames it when complete, so a page is never
// left half written. No flush to the disk per file: a site has two files per person.
bool writeWhole(const QString& path, const QByteArray& data, QString& error) {
    const QString part = path + QStringLiteral(".part");
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    if (file.write(data) != data.size() || !file.flush()) {
        error = QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        file.close();
        file.remove();
        return false;
    }
    file.close();
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        error = QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(path));
        QFile::remove(part);
        return false;
    }
    return true;
}

// A file named by an item: relative names are relative to the tree file's folder; names written
// on Windows may use backslashes.
QString storedPath(const QString& treeFolder, const QString& name) {
    if (name.isEmpty()) return {};
    const QString plain = QFileInfo(name).isAbsolute() ? name : QDir(treeFolder).filePath(name);
    if (QFileInfo::exists(plain) || !name.contains(QLatin1Char('\\'))) return plain;
    QString slashed = name;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(slashed).isAbsolute() ? slashed : QDir(treeFolder).filePath(slashed);
}

// The lines of a text file as a list box would load them; nothing when it cannot be read.
QStringList readLines(const QString& path, const DisplayCharset* charset) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= data.size(); ++i) {
        if (i < data.size() && data[i] != '\r' && data[i] != '\n') continue;
        if (i == data.size() && start == i) break;
        const std::string bytes(data.constData() + start, static_cast<size_t>(i - start));
        lines << (charset ? charset->decode(bytes) : decodeUtf8OrWindows1252(bytes));
        if (i + 1 < data.size() && data[i] == '\r' && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

// The name of a copied image in an attribute: escaped, and with the characters that would end a
// relative address written as %XX.
QString attributeName(const QString& name) {
    QString out;
    for (const QChar c : name) {
        if (c == QLatin1Char('%') || c == QLatin1Char('#') || c == QLatin1Char('?'))
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return htmlEscape(out);
}

class Writer {
public:
    Writer(const ItemStore& store, const HtmlReportJob& job, HtmlReportProgress& progress)
        : store_(store), job_(job), progress_(progress), out_(job.outputFolder), family_(store),
          encoder_(charsetLabel(job.settings.charset)), box_(job.settings.box, job.charset) {}

    HtmlReportResult run();

private:
    bool write(const QString& name, const QByteArray& data) { return writeWhole(out_.filePath(name), data, result_.error); }
    QString copyBackground(const QString& source, const QString& prefix);
    bool writePerson(const PersonItem& p, const PageBuilder& pages, std::vector<QString>& index);
    QString decode(const std::string& bytes) const {
        return job_.charset ? job_.charset->decode(bytes) : decodeUtf8OrWindows1252(bytes);
    }

    const ItemStore& store_;
    const HtmlReportJob& job_;
    HtmlReportProgress& progress_;
    QDir out_;
    FamilyIndex family_;
    PageEncoder encoder_;
    PersonBoxPainter box_;
    HtmlReportResult result_;
};

// Copies a background image beside the pages; the attribute text, or empty when there is none.
QString Writer::copyBackground(const QString& source, const QString& prefix) {
    if (source.isEmpty()) return {};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return {};  // a missing image leaves the colour alone
    const QString name = prefix + QFileInfo(source).fileName();
    QString ignored;
    if (!writeWhole(out_.filePath(name), in.readAll(), ignored)) return {};
    return QStringLiteral("BACKGROUND=\"") + attributeName(name) + QStringLiteral("\" ");
}

bool Writer::writePerson(const PersonItem& p, const PageBuilder& pages, std::vector<QString>& index) {
    const QString n = QString::number(p.Id);
    QImage image = box_.image(p);

    PagePicture picture;
    bool hasPicture = false;
    if (!p.PictureFile.empty()) {
        const QImage source = loadImageFile(storedPath(job_.treeFolder, decode(p.PictureFile.str())));
        const QByteArray jpeg = source.isNull() ? QByteArray() : encodeJpeg(source);
        QString ignored;
        // A picture that cannot be read or copied leaves the page without it.
        if (!jpeg.isEmpty() && writeWhole(out_.filePath(QStringLiteral("pict") + n + QStringLiteral(".jpg")), jpeg, ignored)) {
            picture = {source.width(), source.height()};
            hasPicture = true;
            PersonBoxPainter::addThumbnail(image, source);
        }
    }

    QByteArray gif = encodeGif(image);
    if (gif.isEmpty()) {
        progress_.warning(kGifConversionFailed);
        QBuffer buffer(&gif);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
    }
    if (!write(n + QStringLiteral(".gif"), gif)) return false;

    const QStringList notes =
        p.NotesFile.empty() ? QStringList() : readLines(storedPath(job_.treeFolder, decode(p.NotesFile.str())), job_.charset);
    if (!write(n + QStringLiteral(".html"), encoder_.encode(pages.personPage(p, hasPicture ? &picture : nullptr, notes))))
        return false;
    index.push_back(pages.indexEntry(p));
    ++result_.pages;
    return true;
}

HtmlReportResult Writer::run() {
    const PersonItem* home = store_.firstItem();
    if (!home) {
        result_.error = QStringLiteral("The genealogy tree is empty");
        return result_;
    }
    if (!out_.exists()) {
        result_.error = QStringLiteral("Could not write %1: the folder does not exist").arg(QDir::toNativeSeparators(out_.path()));
        return result_;
    }
    const HtmlReportSettings& s = job_.settings;
    PageStyle style;
    style.version = job_.version;
    style.charset = htmlEscape(encoder_.declaredLabel());
    style.frames = s.useFrames;
    style.siblings = s.useSiblings;
    style.bgAttr = copyBackground(s.backgroundImage, QStringLiteral("b_"));
    style.t1Attr = copyBackground(s.t1Image, QStringLiteral("t1_"));
    style.t2Attr = copyBackground(s.t2Image, QStringLiteral("t2_"));
    style.bg = colorToHtml(s.backgroundColor);
    style.text = colorToHtml(s.textColor);
    style.link = colorToHtml(s.hyperlinkColor);
    style.alink = colorToHtml(s.alinkColor);
    style.vlink = colorToHtml(s.vlinkColor);
    style.linksBg = colorToHtml(s.linksBgColor);
    style.headBg = colorToHtml(s.linksHeaderBgColor);
    style.headText = colorToHtml(s.linksHeaderTextColor);
    const PageBuilder pages(style, job_.charset, family_);

    if (!write(QStringLiteral("blank.gif"), encodeGif(blankImage())) || !write(QStringLiteral("arrow.gif"), encodeGif(arrowImage())))
        return result_;

    std::vector<QString> index;
    const int total = store_.itemCount();
    int done = 0;
    for (const PersonItem* p = home; p; p = p->Next) {
        progress_.status(QStringLiteral("Generating files for ") + decode(p->FirstName.str()) + QLatin1Char(' ') +
                         decode(p->LastName.str()) + QStringLiteral("..."));
        if (!p->isAlias() && !writePerson(*p, pages, index)) return result_;
        progress_.advance(++done, total);
    }

    progress_.status(QStringLiteral("Creating index..."));
    const QByteArray indexPage = encoder_.encode(pages.indexPage(*home, job_.personCount, std::move(index)));
    if (s.useFrames) {
        if (!write(QStringLiteral("index.html"), encoder_.encode(pages.frameSet(*home))) ||
            !write(QStringLiteral("left.html"), indexPage))
            return result_;
    } else if (!write(QStringLiteral("index.html"), indexPage)) {
        return result_;
    }
    progress_.status(QStringLiteral("Done."));
    result_.ok = true;
    return result_;
}

}  // namespace

HtmlReportResult writeHtmlReport(const ItemStore& store, const HtmlReportJob& job, HtmlReportProgress& progress) {
    Writer writer(store, job, progress);
    return writer.run();
}

}  // namespace kinloom

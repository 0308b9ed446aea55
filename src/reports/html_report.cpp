#include "reports/html_report.h"

#include "document/item_store.h"
#include "editor/person_save.h"
#include "platform/bounded_read.h"
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

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace kinloom {

namespace {

// A file is written whole under a temporary name and renamed when complete, so a page is never
// left half written. No flush to the disk per file: a site has two files per person.
QString partPath(const QString& path) { return path + QStringLiteral(".part"); }

bool writePart(const QString& path, const QByteArray& data, QString& error) {
    QFile file(partPath(path));
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
    return true;
}

bool commitPart(const QString& path, QString& error) {
    const QString part = partPath(path);
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        error = QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(path));
        QFile::remove(part);
        return false;
    }
    return true;
}

bool writeWhole(const QString& path, const QByteArray& data, QString& error) {
    return writePart(path, data, error) && commitPart(path, error);
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

// The lines of a text file as a list box would load them; nothing when it cannot be read, or is
// not a regular file of a notes file's size at most.
QStringList readLines(const QString& path, const DisplayCharset* charset) {
    if (path.isEmpty()) return {};
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxNotesFileSize);
    if (!bytes) return {};
    const QByteArray& data = *bytes;
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

// What a worker made of one item. The calling thread reports it and renames the files in store
// order, so that a failure leaves no page of a later person behind, as if written one by one.
struct PersonOutput {
    bool ready = false;
    bool gifFailed = false;
    QString error;               // a file that could not be written
    std::vector<QString> parts;  // files written under their ".part" name, to be renamed in order
    QString indexEntry;
};

// The files of one person at a time. Each worker thread has its own: the painter, the encoder and
// the character set hold state (fonts, iconv descriptors) that threads must not share.
class PersonWriter {
public:
    PersonWriter(const HtmlReportJob& job, const PageStyle& style, const FamilyIndex& family)
        : job_(job), out_(job.outputFolder),
          charset_(job.charset ? job.charset->entry() : DisplayCharset::kSystemDefault),
          pages_(style, &charset_, family), encoder_(charsetLabel(job.settings.charset)),
          box_(job.settings.box, &charset_) {}

    void write(const PersonItem& p, PersonOutput& result);

private:
    bool writePage(const QString& name, const QByteArray& data, PersonOutput& result) {
        const QString path = out_.filePath(name);
        if (!writePart(path, data, result.error)) return false;
        result.parts.push_back(path);
        return true;
    }

    const HtmlReportJob& job_;
    QDir out_;
    DisplayCharset charset_;
    PageBuilder pages_;
    PageEncoder encoder_;
    PersonBoxPainter box_;
};

void PersonWriter::write(const PersonItem& p, PersonOutput& result) {
    const QString n = QString::number(p.Id);
    QImage image = box_.image(p);

    PagePicture picture;
    bool hasPicture = false;
    if (!p.PictureFile.empty()) {
        const QImage source = loadImageFile(storedPath(job_.treeFolder, charset_.decode(p.PictureFile.str())));
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
        result.gifFailed = true;
        QBuffer buffer(&gif);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
    }
    if (!writePage(n + QStringLiteral(".gif"), gif, result)) return;

    const QStringList notes =
        p.NotesFile.empty() ? QStringList() : readLines(storedPath(job_.treeFolder, charset_.decode(p.NotesFile.str())), &charset_);
    if (!writePage(n + QStringLiteral(".html"), encoder_.encode(pages_.personPage(p, hasPicture ? &picture : nullptr, notes)),
                   result))
        return;
    result.indexEntry = pages_.indexEntry(p);
}

// Worker threads taking the items in turn, one output slot per item.
class PersonWorkers {
public:
    PersonWorkers(const std::vector<const PersonItem*>& items, const HtmlReportJob& job, const PageStyle& style,
                  const FamilyIndex& family)
        : items_(items), outputs_(items.size()) {
        const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
        const size_t count = std::min<size_t>(cores, std::max<size_t>(items.size(), 1));
        for (size_t i = 0; i < count; ++i)
            threads_.emplace_back([this, &job, &style, &family] { work(job, style, family); });
    }
    // Stops taking items and waits for the items begun.
    ~PersonWorkers() { stop(); }

    // The output of item i, waited for.
    PersonOutput take(size_t i) {
        std::unique_lock lock(mutex_);
        readyChanged_.wait(lock, [&] { return outputs_[i].ready; });
        return std::move(outputs_[i]);
    }
    void stop() {
        stopping_ = true;
        for (std::thread& t : threads_)
            if (t.joinable()) t.join();
    }
    // After stop: the ".part" files of the items after i, never to be renamed.
    void removePartsAfter(size_t i) {
        for (size_t j = i + 1; j < outputs_.size(); ++j)
            for (const QString& path : outputs_[j].parts) QFile::remove(partPath(path));
    }

private:
    void work(const HtmlReportJob& job, const PageStyle& style, const FamilyIndex& family) {
        PersonWriter writer(job, style, family);
        for (size_t i; !stopping_ && (i = next_++) < items_.size();) {
            PersonOutput output;
            if (!items_[i]->isAlias()) writer.write(*items_[i], output);
            output.ready = true;
            {
                std::lock_guard lock(mutex_);
                outputs_[i] = std::move(output);
            }
            readyChanged_.notify_all();
        }
    }

    const std::vector<const PersonItem*>& items_;
    std::vector<PersonOutput> outputs_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable readyChanged_;
    std::vector<std::thread> threads_;
};

class Writer {
public:
    Writer(const ItemStore& store, const HtmlReportJob& job, HtmlReportProgress& progress)
        : store_(store), job_(job), progress_(progress), out_(job.outputFolder), family_(store),
          encoder_(charsetLabel(job.settings.charset)) {}

    HtmlReportResult run();

private:
    bool write(const QString& name, const QByteArray& data) { return writeWhole(out_.filePath(name), data, result_.error); }
    QString copyBackground(const QString& source, const QString& prefix);
    bool writePersons(const PageStyle& style, std::vector<QString>& index);
    QString decode(const std::string& bytes) const {
        return job_.charset ? job_.charset->decode(bytes) : decodeUtf8OrWindows1252(bytes);
    }

    const ItemStore& store_;
    const HtmlReportJob& job_;
    HtmlReportProgress& progress_;
    QDir out_;
    FamilyIndex family_;
    PageEncoder encoder_;
    HtmlReportResult result_;
};

// Copies a background image beside the pages; the attribute text, or empty when there is none.
QString Writer::copyBackground(const QString& source, const QString& prefix) {
    if (source.isEmpty()) return {};
    // A missing image leaves the colour alone; so does one that is no regular file of a picture's size.
    const std::optional<QByteArray> image = readRegularFile(source, largestPictureFileSize());
    if (!image) return {};
    const QString name = prefix + QFileInfo(source).fileName();
    QString ignored;
    if (!writeWhole(out_.filePath(name), *image, ignored)) return {};
    return QStringLiteral("BACKGROUND=\"") + attributeName(name) + QStringLiteral("\" ");
}

// The box images and pages of all items, made on all cores; progress is told here, in store order.
bool Writer::writePersons(const PageStyle& style, std::vector<QString>& index) {
    std::vector<const PersonItem*> items;
    items.reserve(static_cast<size_t>(store_.itemCount()));
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next) items.push_back(p);
    const int total = store_.itemCount();
    PersonWorkers workers(items, job_, style, family_);
    for (size_t i = 0; i < items.size(); ++i) {
        const PersonItem& p = *items[i];
        progress_.status(QStringLiteral("Generating files for ") + decode(p.FirstName.str()) + QLatin1Char(' ') +
                         decode(p.LastName.str()) + QStringLiteral("..."));
        PersonOutput output = workers.take(i);
        if (output.gifFailed) progress_.warning(kGifConversionFailed);
        bool ok = output.error.isEmpty();
        for (const QString& path : output.parts) {
            if (ok) ok = commitPart(path, output.error);
            else QFile::remove(partPath(path));
        }
        if (!ok) {
            workers.stop();
            workers.removePartsAfter(i);
            result_.error = output.error;
            return false;
        }
        if (!p.isAlias()) {
            index.push_back(std::move(output.indexEntry));
            ++result_.pages;
        }
        progress_.advance(static_cast<int>(i) + 1, total);
    }
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
    if (!writePersons(style, index)) return result_;

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

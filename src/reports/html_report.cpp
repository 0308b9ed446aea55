#include "reports/html_report.h"

#include "document/item_store.h"
#include "editor/person_save.h"
#include "platform/bounded_read.h"
#include "platform/charsets.h"
#include "platform/file_references.h"
#include "platform/imagecodec.h"
#include "platform/run_together.h"
#include "reports/family_index.h"
#include "reports/html_pages.h"
#include "reports/page_encoder.h"
#include "reports/person_box.h"
#include "reports/site_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kinloom {

namespace {

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

// What a worker made of one item. The calling thread reports it and puts the files in place in
// store order, so that a failure leaves no page of a later person behind, as if written one by one.
struct PersonOutput {
    bool ready = false;
    bool gifFailed = false;
    // The picture copy, written under its ".part" name (whether there is one decides the page).
    std::vector<QString> parts;
    // The box image and the page, each a name and its bytes, written after the picture copy.
    std::vector<std::pair<QString, QByteArray>> files;
    QString indexEntry;
};

// The files of one person at a time. Each worker thread has its own: the painter, the encoder and
// the character set hold state (fonts, iconv descriptors) that threads must not share.
class PersonWriter {
public:
    PersonWriter(const HtmlReportJob& job, const PageStyle& style, const FamilyIndex& family)
        : job_(job), out_(job.outputFolder), references_(job.treeFolder),
          charset_(job.charset ? job.charset->entry() : DisplayCharset::kSystemDefault),
          pages_(style, &charset_, family), encoder_(charsetLabel(job.settings.charset)),
          box_(job.settings.box, &charset_) {}

    void write(const PersonItem& p, PersonOutput& result);

private:
    void keep(const QString& name, QByteArray data, PersonOutput& result) {
        result.files.emplace_back(out_.filePath(name), std::move(data));
    }

    const HtmlReportJob& job_;
    QDir out_;
    FileReferences references_;
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
        const QImage source = loadImageFile(references_.find(charset_.decode(p.PictureFile.str())));
        const QByteArray jpeg = source.isNull() ? QByteArray() : encodeJpeg(source);
        const QString copy = out_.filePath(QStringLiteral("pict") + n + QStringLiteral(".jpg"));
        QString ignored;
        // A picture that cannot be read or copied leaves the page without it. The copy is renamed
        // in its person's turn, like the pages, so that a failed run leaves none of a later person.
        if (!jpeg.isEmpty() && replaceableByPart(copy) && writePart(copy, jpeg, ignored)) {
            result.parts.push_back(copy);
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
    keep(n + QStringLiteral(".gif"), std::move(gif), result);

    const QStringList notes =
        p.NotesFile.empty() ? QStringList() : readLines(references_.find(charset_.decode(p.NotesFile.str())), &charset_);
    keep(n + QStringLiteral(".html"), encoder_.encode(pages_.personPage(p, hasPicture ? &picture : nullptr, notes)), result);
    result.indexEntry = pages_.indexEntry(p);
}

// Worker threads take the items in turn, one output slot per item. The calling thread puts the
// files in place in store order and, while it waits for an item that no worker has begun, makes
// that item itself: the run goes on whatever threads the system grants, none at all included.
// Workers keep at most kRunAhead items ahead of the calling thread, whose pages wait in memory; a
// worker task that has to run on the calling thread stops there instead of waiting for itself.
class PersonWorkers {
public:
    PersonWorkers(const std::vector<const PersonItem*>& items, const HtmlReportJob& job, const PageStyle& style,
                  const FamilyIndex& family)
        : items_(items), outputs_(items.size()), job_(job), style_(style), family_(family) {}

    // How many worker threads are worth starting.
    size_t threadCount() const {
        const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
        return std::min<size_t>(cores, items_.size());
    }
    // A worker's task: items until none are left or the run stops.
    void work() {
        PersonWriter writer(job_, style_, family_);
        const bool mayWait = std::this_thread::get_id() != caller_;
        while (makeNext(writer, mayWait)) {
        }
    }
    // The output of item i, waited for (or made here).
    PersonOutput take(size_t i) {
        {
            std::lock_guard lock(mutex_);
            taken_ = i;
        }
        roomChanged_.notify_all();
        while (true) {
            {
                std::unique_lock lock(mutex_);
                if (outputs_[i].ready || next_ > i) {
                    readyChanged_.wait(lock, [&] { return outputs_[i].ready; });
                    return std::move(outputs_[i]);
                }
            }
            if (!ownWriter_) ownWriter_.emplace(job_, style_, family_);
            makeNext(*ownWriter_, false);
        }
    }
    // No item is begun after this.
    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        roomChanged_.notify_all();
    }
    // Once every task has returned: the ".part" files of the items after i, never to be renamed.
    void removePartsAfter(size_t i) {
        for (size_t j = i + 1; j < outputs_.size(); ++j)
            for (const QString& path : outputs_[j].parts) removePart(path);
    }

private:
    bool makeNext(PersonWriter& writer, bool mayWait) {
        if (stopping_ || (!mayWait && next_ >= taken_ + kRunAhead)) return false;
        const size_t i = next_++;
        if (i >= items_.size()) return false;
        if (mayWait) {
            std::unique_lock lock(mutex_);
            roomChanged_.wait(lock, [&] { return stopping_ || i < taken_ + kRunAhead; });
            if (stopping_) return false;
        }
        PersonOutput output;
        if (!items_[i]->isAlias()) writer.write(*items_[i], output);
        output.ready = true;
        {
            std::lock_guard lock(mutex_);
            outputs_[i] = std::move(output);
        }
        readyChanged_.notify_all();
        return true;
    }

    const std::vector<const PersonItem*>& items_;
    std::vector<PersonOutput> outputs_;
    const HtmlReportJob& job_;
    const PageStyle& style_;
    const FamilyIndex& family_;
    std::optional<PersonWriter> ownWriter_;  // the calling thread's
    static constexpr size_t kRunAhead = 256;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> taken_{0};  // the item the calling thread waits for or puts in place
    const std::thread::id caller_ = std::this_thread::get_id();
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable readyChanged_;
    std::condition_variable roomChanged_;
};

class Writer {
public:
    Writer(const ItemStore& store, const HtmlReportJob& job, HtmlReportProgress& progress)
        : store_(store), job_(job), progress_(progress), out_(job.outputFolder), family_(store),
          encoder_(charsetLabel(job.settings.charset)) {}

    HtmlReportResult run();

private:
    bool write(const QString& name, const QByteArray& data) { return files_.write(out_.filePath(name), data, result_.error); }
    QString copyBackground(const QString& source, const QString& prefix);
    bool writePersons(const PageStyle& style, std::vector<QString>& index);
    std::optional<size_t> commitInOrder(const std::vector<const PersonItem*>& items, PersonWorkers& workers,
                                        std::vector<QString>& index);
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
    SiteFileReplacer files_;
};

// Copies a background image beside the pages; the attribute text, or empty when there is none.
QString Writer::copyBackground(const QString& source, const QString& prefix) {
    if (source.isEmpty()) return {};
    // A missing image leaves the colour alone; so does one that is no regular file of a picture's size.
    const std::optional<QByteArray> image = readRegularFile(source, largestPictureFileSize());
    if (!image) return {};
    const QString name = prefix + QFileInfo(source).fileName();
    QString ignored;
    if (!files_.write(out_.filePath(name), *image, ignored)) return {};
    return QStringLiteral("BACKGROUND=\"") + attributeName(name) + QStringLiteral("\" ");
}

// The box images and pages of all items, made on all cores; progress is told here, in store order.
bool Writer::writePersons(const PageStyle& style, std::vector<QString>& index) {
    std::vector<const PersonItem*> items;
    items.reserve(static_cast<size_t>(store_.itemCount()));
    for (const PersonItem* p = store_.firstItem(); p; p = p->Next) items.push_back(p);
    PersonWorkers workers(items, job_, style, family_);
    std::optional<size_t> failed;
    std::vector<std::function<void()>> tasks(workers.threadCount(), [&workers] { workers.work(); });
    tasks.push_back([&] {
        failed = commitInOrder(items, workers, index);
        if (failed) workers.stop();
    });
    runTogether(tasks, job_.startThread);
    if (failed) workers.removePartsAfter(*failed);
    return !failed;
}

// Reports each item and renames its files, in store order; the item whose file failed, if any.
std::optional<size_t> Writer::commitInOrder(const std::vector<const PersonItem*>& items, PersonWorkers& workers,
                                            std::vector<QString>& index) {
    const int total = static_cast<int>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const PersonItem& p = *items[i];
        progress_.status(QStringLiteral("Generating files for ") + decode(p.FirstName.str()) + QLatin1Char(' ') +
                         decode(p.LastName.str()) + QStringLiteral("..."));
        PersonOutput output = workers.take(i);
        if (output.gifFailed) progress_.warning(kGifConversionFailed);
        QString error;
        bool ok = true;
        for (const QString& path : output.parts) {
            if (ok) ok = files_.commitPart(path, error);
            else removePart(path);
        }
        for (size_t f = 0; ok && f < output.files.size(); ++f) ok = files_.write(output.files[f].first, output.files[f].second, error);
        if (!ok) {
            result_.error = error;
            return i;
        }
        if (!p.isAlias()) {
            index.push_back(std::move(output.indexEntry));
            ++result_.pages;
        }
        progress_.advance(static_cast<int>(i) + 1, total);
    }
    return std::nullopt;
}

HtmlReportResult Writer::run() {
    // The home item's page; an alias item whose original is missing has none, so the first
    // person that has one stands in.
    const PersonItem* home = store_.firstItem();
    if (home && !FamilyIndex::resolved(home)) {
        home = home->Next;
        while (home && home->isAlias()) home = home->Next;
    }
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
    style.nameOrder = NameOrder(job_.locale);
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
    files_.finish();
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

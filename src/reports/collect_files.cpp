#include "reports/collect_files.h"

#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/file_references.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unordered_map>
#include <unordered_set>

namespace kinloom {

namespace {

bool sameContents(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
    while (!fa.atEnd()) {
        const QByteArray block = fa.read(1 << 16);
        if (block.isEmpty() || block != fb.read(block.size())) return false;
    }
    return true;
}

class Collector {
public:
    Collector(const QString& sourceFolder, const QString& treeFileName, const DisplayCharset& cs)
        : references_(sourceFolder), target_(QFileInfo(treeFileName).absoluteDir()), cs_(cs),
          treeName_(QFileInfo(treeFileName).fileName()) {}

    // Points one reference at its copy; false when the file could not be copied. The reference
    // then names the file by its absolute path, so that it still leads to where the file was
    // rather than into the new folder.
    bool collect(ShortString<100>& reference) {
        const QString name = cs_.decode(reference);
        const QString found = references_.find(name);
        const QString source = QFileInfo(found).canonicalFilePath();
        // Only regular files are copied: a device or a FIFO would be read without end.
        if (source.isEmpty() || !QFileInfo(source).isFile() || !copy(reference, found, source)) {
            keepWhereItWas(reference, name, found);
            return false;
        }
        return true;
    }

    // The files in the target folder that the tree now names.
    int fileCount() const { return static_cast<int>(targets_.size()); }

private:
    bool copy(ShortString<100>& reference, const QString& found, const QString& source) {
        if (const auto known = copies_.find(source); known != copies_.end()) {
            reference = known->second;  // copied once, shared by every item that names it
            return true;
        }
        // The bare name in the stored bytes, so that an unchanged name keeps its bytes exactly; a
        // name found by another spelling ("PICS\OLA.JPG") takes the file's own name.
        const QString fileName = QFileInfo(found).fileName();
        const std::string& bytes = reference.str();
        const size_t slash = bytes.find_last_of('/');
        std::string stored = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
        if (cs_.decode(stored) != fileName) stored = cs_.encode(fileName, 4 * ShortString<100>::capacity);
        QString bare = cs_.decode(stored);
        for (int n = 2;; ++n) {
            const QString path = target_.filePath(bare);
            const bool taken = QFileInfo::exists(path) || bare == treeName_;
            if (!taken) {
                if (!QFile::copy(source, path)) return false;
                break;
            }
            if (bare != treeName_ && QFileInfo(path).isFile() &&
                (QFileInfo(path).canonicalFilePath() == source || sameContents(source, path))) {
                break;  // already there: the tree's own folder, or an identical copy
            }
            stored = freeName(fileName, n);
            bare = cs_.decode(stored);
        }
        copies_.emplace(source, stored);
        targets_.insert(bare);
        reference = stored;
        return true;
    }

    // A relative name of a file not copied becomes the absolute path where it was (or was looked
    // for); an absolute name, a Windows one included, stays as it is, and so does a path too long
    // for the field.
    void keepWhereItWas(ShortString<100>& reference, const QString& name, const QString& found) const {
        const QString plain = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QDir::isAbsolutePath(plain) || (plain.size() >= 2 && plain[1] == QLatin1Char(':'))) return;
        const QString where = QFileInfo(found.isEmpty() ? references_.path(name) : found).absoluteFilePath();
        const std::string bytes = cs_.encode(where, 4 * static_cast<int>(where.size()) + 4);
        if (static_cast<int>(bytes.size()) <= ShortString<100>::capacity) reference = bytes;
    }

    // "portrait.jpg" -> "portrait (2).jpg", as stored bytes; the base is shortened where the whole
    // name would not fit the field, so that the item names exactly the file made for it.
    std::string freeName(const QString& bare, int n) const {
        const QFileInfo info(bare);
        const QString tail = QStringLiteral(" (%1)").arg(n) + (info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix());
        QString base = info.completeBaseName();
        constexpr int kLimit = ShortString<100>::capacity;
        std::string stored = cs_.encode(base + tail, 4 * kLimit);
        while (static_cast<int>(stored.size()) > kLimit && !base.isEmpty()) {
            base.chop(1);
            stored = cs_.encode(base + tail, 4 * kLimit);
        }
        return stored.substr(0, kLimit);
    }

    FileReferences references_;
    QDir target_;
    const DisplayCharset& cs_;
    QString treeName_;
    std::unordered_map<QString, std::string> copies_;  // canonical source -> stored name of its copy
    std::unordered_set<QString> targets_;
};

}  // namespace

CollectResult collectAllFiles(ItemStore& store, const QString& sourceFolder, const QString& treeFileName,
                              Prompts& prompts, const DisplayCharset& cs) {
    CollectResult result;
    result.targetFolder = QFileInfo(treeFileName).absolutePath();
    if (!result.targetFolder.endsWith(QLatin1Char('/'))) result.targetFolder += QLatin1Char('/');
    Collector collector(sourceFolder, treeFileName, cs);
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        for (ShortString<100>* reference : {&p->NotesFile, &p->PictureFile}) {
            if (reference->empty()) continue;
            const QString name = cs.decode(*reference);
            if (!collector.collect(*reference) && !result.notCopied.contains(name))
                result.notCopied.append(name);
        }
    }
    result.saved = saveToFile(store, treeFileName, prompts);
    result.count = collector.fileCount() + (result.saved ? 1 : 0);
    return result;
}

QString collectResultMessage(const CollectResult& result) {
    QString text = QStringLiteral("Collected ") + QString::number(result.count) + QStringLiteral(" files to directory ") +
                   QDir::toNativeSeparators(result.targetFolder);
    if (!result.notCopied.isEmpty())
        text += QStringLiteral("\n\nThese files could not be copied, and the persons still refer to them where they "
                               "were:\n") +
                result.notCopied.join(QLatin1Char('\n'));
    return text;
}

}  // namespace kinloom

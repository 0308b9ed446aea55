#include "reports/quality_check.h"

#include "document/item_store.h"
#include "platform/file_references.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace kinloom {

namespace {

const QString kTextPrefix = QStringLiteral("Text file not found: ");
const QString kImagePrefix = QStringLiteral("Image file not found: ");

ShortString<100>& referenceOf(PersonItem& item, ReferenceKind kind) {
    return kind == ReferenceKind::NotesFile ? item.NotesFile : item.PictureFile;
}

// The chosen file as the field can keep it: the whole path when it fits, else the path relative to
// the tree's folder when that fits, else nothing: a cut name would name another file.
std::optional<std::string> storableName(const QString& chosen, const QString& treeFolder, const DisplayCharset& cs) {
    constexpr int kCapacity = ShortString<100>::capacity;
    const int unlimited = 4 * static_cast<int>(chosen.size()) + 4;
    for (const QString& name : {chosen, QDir(treeFolder).relativeFilePath(chosen)}) {
        std::string bytes = cs.encode(name, unlimited);
        if (static_cast<int>(bytes.size()) <= kCapacity) return bytes;
    }
    return std::nullopt;
}

}  // namespace

QString pathTooLongText(const QString& path) {
    return QStringLiteral("The path \"") + path +
           QStringLiteral("\" is too long to be kept in the tree, even relative to the tree's folder (at most %1 bytes). "
                          "Move the file nearer to the tree file and try again.")
               .arg(ShortString<100>::capacity);
}

QualityCheckResult runQualityCheck(const ItemStore& store, const QString& treeFolder, const DisplayCharset& cs) {
    QualityCheckResult result;
    const FileReferences references(treeFolder);
    auto check = [&](PersonItem* p, ReferenceKind kind, const QString& prefix) {
        const ShortString<100>& stored = referenceOf(*p, kind);
        if (stored.empty()) return;
        const QString name = cs.decode(stored);
        if (!references.find(name).isEmpty()) return;
        const QString person = (cs.decode(p->LastName) + QLatin1Char(' ') + cs.decode(p->FirstName)).trimmed();
        result.rows.push_back({person, p, kind, prefix + name});
    };
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        check(p, ReferenceKind::NotesFile, kTextPrefix);
        check(p, ReferenceKind::PictureFile, kImagePrefix);
    }
    result.count = static_cast<int>(result.rows.size());
    // Sorted by person without regard to case; one person's rows stay in the order they were found.
    std::stable_sort(result.rows.begin(), result.rows.end(), [](const QualityProblem& a, const QualityProblem& b) {
        return QString::compare(a.person, b.person, Qt::CaseInsensitive) < 0;
    });
    return result;
}

QString qualityCheckSummary(int count) {
    return QStringLiteral("Quality check complete: ") + QString::number(count) + QStringLiteral(" error(s)");
}

FileDialogRequest findTextFileDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Find text file");
    r.filter = QStringLiteral("Text files|*.txt");
    return r;
}

FileDialogRequest findImageFileDialog() {
    FileDialogRequest r;
    r.title = QStringLiteral("Find image file");
    r.filter = QStringLiteral(
        "All (*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf|"
        "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Graphics Interchange Format (*.gif)|*.gif|"
        "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    return r;
}

bool resolveQualityProblem(ItemStore& store, QualityProblem& row, const QString& treeFolder, Prompts& prompts,
                           const DisplayCharset& cs) {
    if (!row.item || row.message.isEmpty()) return false;
    const bool notes = row.kind == ReferenceKind::NotesFile;
    store.touch(row.item);
    ShortString<100>& reference = referenceOf(*row.item, row.kind);
    const QString name = cs.decode(reference);

    FileDialogRequest request = notes ? findTextFileDialog() : findImageFileDialog();
    // A relative name is shown where the check looked for it.
    request.fileName = FileReferences(treeFolder).path(name);
    if (const std::optional<QString> chosen = prompts.openFileName(request)) {
        const std::optional<std::string> stored = storableName(*chosen, treeFolder, cs);
        if (!stored) {
            prompts.message(kAppTitle, pathTooLongText(*chosen), PromptButtons::Ok, PromptIcon::Warning);
            return false;
        }
        reference = *stored;
    } else {
        const QString question = (notes ? QStringLiteral("No text file was selected. Would you like to remove the reference to ")
                                        : QStringLiteral("No image file was selected. Would you like to remove the reference to ")) +
                                 name + QLatin1Char('?');
        if (prompts.message(QStringLiteral("Confirm"), question, PromptButtons::YesNo, PromptIcon::Question) !=
            PromptAnswer::Yes)
            return false;
        reference.clear();
    }
    row.message.clear();
    store.modified = true;
    return true;
}

}  // namespace kinloom

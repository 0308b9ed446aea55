// Writes the seed corpora of the fuzz targets into a folder, at test time: files of our own
// writers, hand-built old records, and the GEDCOM files of the shared corpus when it is there.
#include "document/item_store.h"
#include "document/legacy_file.h"
#include "document/tree_file.h"
#include "gedcom/gedcom_export.h"
#include "platform/imagecodec.h"
#include "platform/scripted_prompts.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace kinloom;

namespace {

bool put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Three generations with a marriage, a divorce, an alias and a repeated Id.
void buildFamily(ItemStore& store) {
    const auto add = [&](const char* first, const char* last, const char* sex) {
        PersonItem* p = store.createItem();
        p->FirstName = first;
        p->LastName = last;
        p->Sex = sex;
        p->BornDate = "12 JAN 1900";
        p->BornPlace = "Bergen";
        return p;
    };
    PersonItem* ola = add("Ola", "Nordmann", "M");
    PersonItem* kari = add("Kari", "Hansen", "F");
    PersonItem* per = add("Per", "Nordmann", "M");
    PersonItem* anne = add("Anne", "Berg", "F");
    PersonItem* liv = add("Liv", "Nordmann", "F");
    store.addMarriage(ola, kari);
    store.addMarriage(per, anne);
    store.addMarriage(per, anne);
    per->SpouseType[2] = anne->SpouseType[2] = 'D';
    per->Father = liv->Father = ola;
    per->Mother = liv->Mother = kari;
    PersonItem* alias = add("Ola", "Nordmann", "M");
    alias->Kind = "REF";
    alias->Father = ola;
    ola->Kind = "ALIAS";
}

QByteArray oldRecords(int recordSize) {
    QByteArray bytes;
    for (int id = 1; id <= 3; ++id) {
        QByteArray rec(recordSize, '\0');
        const auto text = [&](int at, const QByteArray& s) {
            rec[at] = static_cast<char>(s.size());
            rec.replace(at + 1, s.size(), s);
        };
        const auto int32 = [&](int at, int32_t v) {
            for (int i = 0; i < 4; ++i) rec[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        text(0, "First" + QByteArray::number(id));
        text(101, "Last");
        text(202, "12/25/1900");
        text(224, id == 2 ? "F" : "M");
        int32(464, id);
        if (id == 3) int32(472, 1), int32(468, 2);
        if (recordSize >= kVersion15RecordSize) {
            text(477, "Oslo");
            if (id < 3) int32(896, 3 - id);
            text(900, "1.2.1920");
        }
        bytes += rec;
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 1;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"tree", "version15", "version10", "gedcom", "images", "dates"})
        if (!root.mkpath(QLatin1String(sub))) return 1;

    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    buildFamily(store);
    bool ok = saveToFile(store, root.filePath("tree/family.kl3"), prompts);
    ok &= writeGedcomFile(store, root.filePath("gedcom/family.ged"), QDate(2024, 1, 2), QTime(3, 4));
    ok &= put(root.filePath("version15/family.kl2"), oldRecords(kVersion15RecordSize));
    ok &= put(root.filePath("version10/family.kl"), oldRecords(kVersion10RecordSize));

    QImage picture(24, 16, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(4, 4, 12, 8, QColor(200, 40, 40));
    ok &= put(root.filePath("images/box.gif"), encodeGif(picture, QColor(Qt::transparent)));
    ok &= put(root.filePath("images/box.jpg"), encodeJpeg(picture, 75));
    for (const char* format : {"BMP", "ICO"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (picture.save(&buffer, format)) ok &= put(root.filePath(QStringLiteral("images/box.") + format), bytes);
    }

    int n = 0;
    for (const char* date : {"12/25/1900", "1.2.1950", "07-06-1921", "ABT 1850", "3 mar 1850", "BET 1900 AND 1910",
                             "25 Dec 1900", "1900"})
        ok &= put(root.filePath(QStringLiteral("dates/%1").arg(++n)), date);

    // Real files of other programs, read in place by the fuzzers' corpus copy in the build folder.
    const QString corpus = QStringLiteral(KINLOOM_CORPUS_DIR);
    for (QDirIterator it(corpus, {"*.ged", "*.GED"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        ok &= QFile::copy(file, root.filePath("gedcom/corpus-" + QString::number(++n) + ".ged"));
    }
    if (!ok) std::fprintf(stderr, "make_fuzz_seeds: some seeds could not be written\n");
    return ok ? 0 : 1;
}

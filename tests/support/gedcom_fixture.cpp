#include "support/gedcom_fixture.h"

#include <QDir>
#include <QFile>

namespace kinloom::test {

QString GedcomFixture::Write(const std::string& bytes, const QString& name) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

GedcomImportResult GedcomFixture::Read(const std::string& text) {
    result = ReadGedcomFile(store, Write(text), user, prompts, dir.path());
    return result;
}

TPersonItem* GedcomFixture::Item(int index) const {
    TPersonItem* p = store.FirstItem();
    for (int i = 0; p && i < index; ++i) p = p->Next;
    return p;
}

std::string Lines(std::initializer_list<const char*> lines, const char* eol) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += eol;
    }
    return out;
}

}  // namespace kinloom::test

#include "support/gedcom_fixture.h"

#include <QDir>
#include <QFile>

namespace kinloom::test {

QString GedcomFixture::write(const std::string& bytes, const QString& name) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

GedcomImportResult GedcomFixture::read(const std::string& text) {
    result = readGedcomFile(store, write(text), user, prompts);
    return result;
}

PersonItem* GedcomFixture::item(int index) const {
    PersonItem* p = store.firstItem();
    for (int i = 0; p && i < index; ++i) p = p->Next;
    return p;
}

std::string lines(std::initializer_list<const char*> lines, const char* eol) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += eol;
    }
    return out;
}

}  // namespace kinloom::test

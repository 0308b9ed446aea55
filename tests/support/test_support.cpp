#include "support/test_support.h"

#include <QFile>

namespace kinloom::test {

QByteArray fileContents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

PersonItem* addPerson(ItemStore& store, const std::string& first, const std::string& last, int x,
                       int y) {
    PersonItem* p = store.createItem();
    p->FirstName = first;
    p->LastName = last;
    p->X = x;
    p->Y = y;
    return p;
}

std::vector<unsigned char> readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    return {data.begin(), data.end()};
}

bool writeBytes(const QString& path, const std::vector<unsigned char>& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

void putInt32(std::vector<unsigned char>& rec, size_t offset, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) rec.at(offset + i) = static_cast<unsigned char>(u >> (8 * i));
}

int32_t getInt32(const std::vector<unsigned char>& rec, size_t offset) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(rec.at(offset + i)) << (8 * i);
    return static_cast<int32_t>(u);
}

void putShortString(std::vector<unsigned char>& rec, size_t offset, const std::string& text) {
    rec.at(offset) = static_cast<unsigned char>(text.size());
    for (size_t i = 0; i < text.size(); ++i) rec.at(offset + 1 + i) = static_cast<unsigned char>(text[i]);
}

std::string getShortString(const std::vector<unsigned char>& rec, size_t offset) {
    const size_t n = rec.at(offset);
    return std::string(rec.begin() + offset + 1, rec.begin() + offset + 1 + n);
}

}  // namespace kinloom::test

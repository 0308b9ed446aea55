#pragma once
#include "document/item_store.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace kinloom::test {

// Appends an item with a name at a position and returns it.
PersonItem* addPerson(ItemStore& store, const std::string& first, const std::string& last = {},
                       int x = 0, int y = 0);

// Reads a whole file into bytes; empty when it cannot be read.
std::vector<unsigned char> readBytes(const QString& path);
bool writeBytes(const QString& path, const std::vector<unsigned char>& bytes);
// The same as a QByteArray, "<missing>" when it cannot be read.
QByteArray fileContents(const QString& path);

// Little-endian and short-string helpers for building records byte by byte.
void putInt32(std::vector<unsigned char>& rec, size_t offset, int32_t value);
int32_t getInt32(const std::vector<unsigned char>& rec, size_t offset);
void putShortString(std::vector<unsigned char>& rec, size_t offset, const std::string& text);
std::string getShortString(const std::vector<unsigned char>& rec, size_t offset);

}  // namespace kinloom::test

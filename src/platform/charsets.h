#pragma once
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>

namespace kinloom {

// The display character set chosen under "International Charset". Stored texts are bytes; this
// decides how they are shown and how typed text is stored. Entries count from 1 in list order;
// "System Default" (15) shows valid UTF-8 as UTF-8 and anything else as Windows-1252, so that
// modern GEDCOM files and old Windows trees both read right, and stores typed text as UTF-8.
class DisplayCharset {
public:
    static constexpr int kSystemDefault = 15;
    static constexpr int kEntryCount = 19;

    explicit DisplayCharset(int entry = kSystemDefault);
    int entry() const { return entry_; }

    // The 19 list entries exactly as the options dialog shows them.
    static QStringList entryNames();
    // The Windows font character-set number of an entry; 0 for a number outside 1..19.
    static int fontCharsetOf(int entry);
    // The iconv code page used for an entry ("UTF-8" for System Default).
    static const char* codePageOf(int entry);

    QString decode(std::string_view bytes) const;
    // Encodes typed text, each character the set cannot hold becoming '?', cut to at most
    // `capacity` bytes without splitting a character.
    std::string encode(const QString& text, int capacity) const;

private:
    struct Converters;
    int entry_;
    std::shared_ptr<Converters> conv_;
};

// Bytes as UTF-8 where valid, else Windows-1252: the reading that machine output (JSON, logs) uses.
QString decodeUtf8OrWindows1252(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(std::string_view bytes);

}  // namespace kinloom

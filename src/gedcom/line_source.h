#pragma once
#include <QFile>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace kinloom {

// Reads a GEDCOM file line by line in large pieces. A line ends at CR LF, LF or a lone CR (old
// Macintosh files); in a file whose first line ends in CR LF, an LF not followed by a level number
// belongs to the line. A UTF-8 byte-order mark at the start is skipped, and a UTF-16 file (with its
// mark) is read as the same text in UTF-8.
class GedcomLineSource {
public:
    bool open(const QString& fileName);
    void close() { file_.close(); }
    // True when every line was read (a read error shows at the next readLine).
    bool atEnd();
    // The next line without its line end; false on a read error.
    bool readLine(std::string_view& line);
    int64_t size() const { return size_; }
    // Bytes of the file taken so far, line ends included.
    int64_t bytesRead() const { return consumed_; }

private:
    bool fill();
    bool startsLine(size_t at) const;
    size_t findLineEnd(size_t from) const;
    static constexpr size_t kLookahead = 16;

    QFile file_;
    std::string buffer_;
    size_t pos_ = 0;
    bool eof_ = false;
    bool error_ = false;
    bool sawLineEnd_ = false;
    bool crlfFile_ = false;  // the first line ends in CR LF
    int64_t size_ = 0;
    int64_t consumed_ = 0;
    double scale_ = 1.0;  // file bytes per buffer byte (UTF-16 is converted when opened)
};

}  // namespace kinloom

#include "gedcom/line_source.h"

#include <QStringDecoder>

namespace kinloom {

namespace {
constexpr qint64 kChunk = 1 << 20;
}

bool GedcomLineSource::open(const QString& fileName) {
    file_.setFileName(fileName);
    buffer_.clear();
    pos_ = 0;
    eof_ = false;
    error_ = false;
    sawLineEnd_ = false;
    crlfFile_ = false;
    consumed_ = 0;
    scale_ = 1.0;
    if (!file_.open(QIODevice::ReadOnly)) return false;
    size_ = file_.size();
    if (!fill()) return false;
    const auto starts = [this](std::string_view mark) { return std::string_view(buffer_).substr(0, mark.size()) == mark; };
    if (starts("\xEF\xBB\xBF")) {
        pos_ = 3;
        consumed_ = 3;
    } else if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        // UTF-16 files are small and rare: convert the whole file once.
        QByteArray rest = file_.readAll();
        if (file_.error() != QFileDevice::NoError) return false;
        QByteArray all = QByteArray(buffer_.data(), static_cast<qsizetype>(buffer_.size())) + rest;
        QStringDecoder decode(starts("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QByteArray utf8 = QString(decode(all.mid(2))).toUtf8();
        buffer_.assign(utf8.constData(), static_cast<size_t>(utf8.size()));
        eof_ = true;
        consumed_ = 2;
        scale_ = utf8.isEmpty() ? 1.0 : static_cast<double>(size_ - 2) / static_cast<double>(utf8.size());
    }
    return true;
}

bool GedcomLineSource::fill() {
    if (eof_) return true;
    buffer_.erase(0, pos_);
    pos_ = 0;
    const size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const qint64 got = file_.read(buffer_.data() + old, kChunk);
    if (got < 0) {
        buffer_.resize(old);
        return false;
    }
    buffer_.resize(old + static_cast<size_t>(got));
    if (got == 0) eof_ = true;
    return true;
}

bool GedcomLineSource::atEnd() {
    if (pos_ >= buffer_.size() && !eof_ && !error_ && !fill()) error_ = true;
    return pos_ >= buffer_.size() && eof_ && !error_;
}

bool GedcomLineSource::readLine(std::string_view& line) {
    if (error_) return false;
    size_t scan = pos_;
    size_t stop = 0, next = 0;
    // Reads more of the file, keeping the scan position relative to the line's start.
    const auto more = [this, &scan]() {
        const size_t offset = scan - pos_;
        if (!fill()) return false;
        scan = pos_ + offset;
        return true;
    };
    for (;;) {
        const size_t end = findLineEnd(scan);
        if (end == std::string::npos) {
            if (!eof_) {
                if (!more()) return false;
                continue;
            }
            stop = next = buffer_.size();
            break;
        }
        if (buffer_[end] == '\r') {
            // A CR at the end of the buffer may be the first half of CR LF: read on before deciding.
            if (end + 1 >= buffer_.size() && !eof_) {
                if (!more()) return false;
                continue;
            }
            const bool crlf = end + 1 < buffer_.size() && buffer_[end + 1] == '\n';
            if (!sawLineEnd_) crlfFile_ = crlf;
            sawLineEnd_ = true;
            stop = end;
            next = end + (crlf ? 2 : 1);
            break;
        }
        if (!sawLineEnd_) crlfFile_ = false;
        sawLineEnd_ = true;
        if (crlfFile_) {
            // Some programs keep a note's own line breaks as bare LFs inside a CR LF file: an LF that
            // is not followed by a level number is part of the text, not the end of the line.
            if (end + 1 + kLookahead > buffer_.size() && !eof_) {
                if (!more()) return false;
                continue;
            }
            if (!startsLine(end + 1)) {
                scan = end + 1;
                continue;
            }
        }
        stop = end;
        next = end + 1;
        break;
    }
    line = std::string_view(buffer_).substr(pos_, stop - pos_);
    consumed_ += static_cast<int64_t>(static_cast<double>(next - pos_) * scale_);
    pos_ = next;
    return true;
}

size_t GedcomLineSource::findLineEnd(size_t from) const {
    const char* data = buffer_.data();
    for (size_t i = from, n = buffer_.size(); i < n; ++i)
        if (data[i] == '\n' || data[i] == '\r') return i;
    return std::string::npos;
}

bool GedcomLineSource::startsLine(size_t at) const {
    size_t i = at;
    while (i < buffer_.size() && i < at + kLookahead && (buffer_[i] == ' ' || buffer_[i] == '\t')) ++i;
    return i >= buffer_.size() || (buffer_[i] >= '0' && buffer_[i] <= '9');
}

}  // namespace kinloom

#include "platform/charsets.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cstring>
#include <vector>

namespace kinloom {

namespace {

struct Entry {
    const char* name;
    int fontCharset;
    const char* codePage;
};

constexpr Entry kEntries[DisplayCharset::kEntryCount] = {
    {"ANSI", 0, "WINDOWS-1252"},
    {"Arabic characters ", 178, "WINDOWS-1256"},
    {"Baltic characters ", 186, "WINDOWS-1257"},
    {"Central European characters ", 238, "WINDOWS-1250"},
    {"Cyrillic / Russian characters ", 204, "WINDOWS-1251"},
    {"Greek characters ", 161, "WINDOWS-1253"},
    {"Hebrew characters ", 177, "WINDOWS-1255"},
    {"Japanese shift-jis charset", 128, "CP932"},
    {"Korean characters (Jahob) ", 130, "JOHAB"},
    {"Korean characters (Wansung)", 129, "CP949"},
    {"Macintosh characters ", 77, "MACINTOSH"},
    {"OEM characters", 255, "CP437"},
    {"Simplified Chinese characters (mainland china)", 134, "GBK"},
    {"Symbol set", 2, "ISO-8859-1"},
    {"System Default", 1, "UTF-8"},
    {"Thai characters ", 222, "CP874"},
    {"Traditional Chinese characters (taiwanese)", 136, "CP950"},
    {"Turkish characters ", 162, "WINDOWS-1254"},
    {"Vietnamese characters ", 163, "WINDOWS-1258"},
};

bool validEntry(int entry) { return entry >= 1 && entry <= DisplayCharset::kEntryCount; }

bool validUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

// One iconv conversion, run to completion; false when the input holds something the target lacks.
bool convert(iconv_t cd, std::string_view in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    out.assign(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1)) return false;
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

}  // namespace

struct DisplayCharset::Converters {
    iconv_t toUtf8 = reinterpret_cast<iconv_t>(-1);
    iconv_t fromUtf8 = reinterpret_cast<iconv_t>(-1);
    ~Converters() {
        if (toUtf8 != reinterpret_cast<iconv_t>(-1)) iconv_close(toUtf8);
        if (fromUtf8 != reinterpret_cast<iconv_t>(-1)) iconv_close(fromUtf8);
    }
};

DisplayCharset::DisplayCharset(int entry) : entry_(entry), conv_(std::make_shared<Converters>()) {
    const char* cp = codePageOf(entry);
    conv_->toUtf8 = iconv_open("UTF-8", std::strcmp(cp, "UTF-8") == 0 ? "WINDOWS-1252" : cp);
    conv_->fromUtf8 = iconv_open(cp, "UTF-8");
}

QStringList DisplayCharset::entryNames() {
    QStringList names;
    for (const Entry& e : kEntries) names << QString::fromLatin1(e.name);
    return names;
}

int DisplayCharset::fontCharsetOf(int entry) { return validEntry(entry) ? kEntries[entry - 1].fontCharset : 0; }

const char* DisplayCharset::codePageOf(int entry) {
    // A number outside the list applies character set 0, ANSI.
    return validEntry(entry) ? kEntries[entry - 1].codePage : kEntries[0].codePage;
}

QString DisplayCharset::decode(std::string_view bytes) const {
    if (bytes.empty()) return {};
    const bool utf8Entry = std::strcmp(codePageOf(entry_), "UTF-8") == 0;
    if (utf8Entry && validUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::string out;
    if (conv_->toUtf8 != reinterpret_cast<iconv_t>(-1) && convert(conv_->toUtf8, bytes, out))
        return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
    // Byte by byte, so that a byte the code page leaves undefined shows as '?' and the rest survives.
    QString result;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            result += QLatin1Char(c);
        } else if (conv_->toUtf8 != reinterpret_cast<iconv_t>(-1) &&
                   convert(conv_->toUtf8, std::string_view(&c, 1), out)) {
            result += QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
        } else {
            result += QLatin1Char('?');
        }
    }
    return result;
}

std::string DisplayCharset::encode(const QString& text, int capacity) const {
    std::string result;
    std::string piece;
    const std::u32string codepoints = text.toStdU32String();
    for (char32_t cp : codepoints) {
        const QString one = QString::fromUcs4(&cp, 1);
        const QByteArray utf8 = one.toUtf8();
        if (cp < 0x80) {
            piece.assign(1, static_cast<char>(cp));
        } else if (conv_->fromUtf8 == reinterpret_cast<iconv_t>(-1) ||
                   !convert(conv_->fromUtf8, std::string_view(utf8.data(), utf8.size()), piece) ||
                   piece.empty()) {
            piece.assign(1, '?');  // not = "?": GCC 12 warns falsely (-Wrestrict) on that
        }
        if (static_cast<int>(result.size() + piece.size()) > capacity) break;  // never split
        result += piece;
    }
    return result;
}

QString decodeUtf8OrWindows1252(std::string_view bytes) {
    static const DisplayCharset systemDefault(DisplayCharset::kSystemDefault);
    return systemDefault.decode(bytes);
}

bool isValidUtf8(std::string_view bytes) { return validUtf8(bytes); }

}  // namespace kinloom

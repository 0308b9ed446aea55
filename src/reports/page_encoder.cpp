#include "reports/page_encoder.h"

#include <iconv.h>

#include <cerrno>

namespace kinloom {

QString htmlEscape(const QString& text) {
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('"')) break;
    }
    if (i == text.size()) return text;
    QString out = text.left(i);
    out.reserve(text.size() + 16);
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<')) out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>')) out += QLatin1String("&gt;");
        else if (c == QLatin1Char('"')) out += QLatin1String("&quot;");
        else out += c;
    }
    return out;
}

namespace {

const iconv_t kNoConv = reinterpret_cast<iconv_t>(-1);

// Spellings from the charset list that browsers do not know, with the registered name.
QString standardLabel(const QString& label) {
    const QString lower = label.toLower();
    if (lower == QLatin1String("koi-8-r")) return QStringLiteral("koi8-r");
    if (lower == QLatin1String("koi-8-u")) return QStringLiteral("koi8-u");
    if (lower == QLatin1String("utf8")) return QStringLiteral("utf-8");
    return label;
}

bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

QByteArray reference(char32_t codePoint) {
    return "&#" + QByteArray::number(static_cast<uint>(codePoint)) + ';';
}

// The code point of the UTF-8 sequence at p (valid UTF-8: it comes from QString::toUtf8) and its
// length in bytes.
char32_t decodeUtf8At(const unsigned char* p, size_t left, size_t& length) {
    const unsigned char b = p[0];
    if (b < 0x80 || left < 2) { length = 1; return b; }
    if ((b & 0xE0) == 0xC0) { length = 2; return ((b & 0x1F) << 6) | (p[1] & 0x3F); }
    if ((b & 0xF0) == 0xE0 && left >= 3) { length = 3; return ((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F); }
    if (left >= 4) {
        length = 4;
        return ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    }
    length = left;
    return 0xFFFD;
}

bool isC1Control(QChar c) { return c.unicode() >= 0x80 && c.unicode() <= 0x9F; }

}  // namespace

struct PageEncoder::Iconv {
    iconv_t cd = kNoConv;
    ~Iconv() {
        if (cd != kNoConv) iconv_close(cd);
    }
};

PageEncoder::PageEncoder(const QString& label) : declared_(standardLabel(label)), conv_(std::make_unique<Iconv>()) {
    const QString lower = declared_.toLower();
    utf8_ = lower == QLatin1String("utf-8");
    if (utf8_ || declared_.isEmpty()) return;
    conv_->cd = iconv_open(declared_.toUpper().toLatin1().constData(), "UTF-8");
    if (conv_->cd == kNoConv) return;
    // Only sets that keep ASCII as it is can carry the page's markup (not UTF-16, EBCDIC ...).
    char in[] = "<A&#>";
    char out[64];
    char* src = in;
    char* dst = out;
    size_t srcLeft = 5, dstLeft = sizeof out;
    const size_t r = iconv(conv_->cd, &src, &srcLeft, &dst, &dstLeft);
    iconv(conv_->cd, nullptr, nullptr, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || QByteArray(out, static_cast<qsizetype>(sizeof out - dstLeft)) != "<A&#>") {
        iconv_close(conv_->cd);
        conv_->cd = kNoConv;
    }
}

PageEncoder::~PageEncoder() = default;

QByteArray PageEncoder::encode(const QString& input) {
    if (isAscii(input)) return input.toLatin1();
    if (utf8_) return input.toUtf8();
    // C1 control characters (U+0080 to U+009F) are left out: browsers read those bytes of an
    // ISO-8859-1 page, and their references ("&#128;") in any page, as Windows-1252 letters.
    QString text = input;
    text.removeIf(isC1Control);
    const QByteArray utf8 = text.toUtf8();
    const auto* begin = reinterpret_cast<const unsigned char*>(utf8.constData());
    QByteArray out;
    out.reserve(utf8.size() + 64);
    if (conv_->cd == kNoConv) {
        for (size_t i = 0; i < static_cast<size_t>(utf8.size());) {
            size_t length = 1;
            const char32_t cp = decodeUtf8At(begin + i, utf8.size() - i, length);
            if (cp < 0x80) out += static_cast<char>(cp);
            else out += reference(cp);
            i += length;
        }
        return out;
    }
    iconv(conv_->cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(utf8.constData());
    size_t srcLeft = static_cast<size_t>(utf8.size());
    char buffer[4096];
    while (true) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(conv_->cd, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
        const int error = r == static_cast<size_t>(-1) ? errno : 0;
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - dstLeft));
        if (error == E2BIG) continue;
        if (error == EILSEQ || error == EINVAL) {
            // Back to the initial shift state, so that the reference reads as ASCII.
            dst = buffer;
            dstLeft = sizeof buffer;
            iconv(conv_->cd, nullptr, nullptr, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(sizeof buffer - dstLeft));
            size_t length = 1;
            out += reference(decodeUtf8At(reinterpret_cast<const unsigned char*>(src), srcLeft, length));
            src += length;
            srcLeft -= length;
            continue;
        }
        if (srcLeft == 0) {
            dst = buffer;
            dstLeft = sizeof buffer;
            iconv(conv_->cd, nullptr, nullptr, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(sizeof buffer - dstLeft));
            break;
        }
    }
    return out;
}

}  // namespace kinloom

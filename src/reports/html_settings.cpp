#include "reports/html_settings.h"

#include "platform/registry.h"

#include <cmath>

namespace kinloom {

QColor colorFromRef(ColorRef ref) { return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }

ColorRef refFromColor(const QColor& color) {
    return static_cast<ColorRef>(color.red()) | (static_cast<ColorRef>(color.green()) << 8) |
           (static_cast<ColorRef>(color.blue()) << 16);
}

QString colorToHtml(ColorRef ref) {
    const QString hex = QStringLiteral("%1").arg(ref, 6, 16, QLatin1Char('0')).toUpper().right(6);
    return QLatin1Char('#') + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

namespace {

ColorRef readColor(Registry& r, const QString& key, const QString& name, ColorRef fallback) {
    bool ok = false;
    const qlonglong v = r.readString(key, name, QString::number(fallback)).trimmed().toLongLong(&ok);
    // A stored number outside 32 bits is not a colour this program wrote.
    return ok && v >= 0 && v <= 0xFFFFFFFFLL ? static_cast<ColorRef>(v) : fallback;
}

bool writeColor(Registry& r, const QString& key, const QString& name, ColorRef value) {
    return r.writeString(key, name, QString::number(value));
}

}  // namespace

HtmlReportSettings HtmlReportSettings::load(Registry& r) {
    HtmlReportSettings s;
    const QString& k = kHtmlReportKey;
    s.backgroundColor = readColor(r, k, QStringLiteral("Background_color"), s.backgroundColor);
    s.textColor = readColor(r, k, QStringLiteral("Text_color"), s.textColor);
    s.hyperlinkColor = readColor(r, k, QStringLiteral("Hyperlink_color"), s.hyperlinkColor);
    s.vlinkColor = readColor(r, k, QStringLiteral("Vlink_color"), s.vlinkColor);
    s.alinkColor = readColor(r, k, QStringLiteral("Alink_color"), s.alinkColor);
    s.linksBgColor = readColor(r, k, QStringLiteral("Links_bgcolor"), s.linksBgColor);
    s.linksHeaderBgColor = readColor(r, k, QStringLiteral("LinksHeader_bgcolor"), s.linksHeaderBgColor);
    s.linksHeaderTextColor = readColor(r, k, QStringLiteral("Theader_color"), s.linksHeaderTextColor);
    s.backgroundImage = r.readString(k, QStringLiteral("background_image"), QString());
    s.t1Image = r.readString(k, QStringLiteral("t1_image"), QString());
    s.t2Image = r.readString(k, QStringLiteral("t2_image"), QString());
    // The newer value overrides the older one when it is set.
    s.backgroundImage = r.readString(k, QStringLiteral("Background_image_url"), s.backgroundImage);
    s.useFrames = r.readYesNo(k, QStringLiteral("Use_frames"), true);
    s.useSiblings = r.readYesNo(k, QStringLiteral("Use_siblings"), true);
    s.charset = r.readString(k, QStringLiteral("Charset"), kDefaultHtmlCharset);

    const QString& i = kHtmlReportItemKey;
    s.box.frameColor = readColor(r, i, QStringLiteral("Frame_color"), s.box.frameColor);
    s.box.boxColor = readColor(r, i, QStringLiteral("Box_color"), s.box.boxColor);
    s.box.fontColor = readColor(r, i, QStringLiteral("Font_color"), s.box.fontColor);
    bool ok = false;
    const int size = r.readString(i, QStringLiteral("Font_size"), QStringLiteral("7")).trimmed().toInt(&ok);
    if (ok && size > 0 && size <= 200) s.box.fontSize = size;
    s.box.fontName = r.readString(i, QStringLiteral("Font_name"), s.box.fontName);
    s.box.bold = r.readYesNo(i, QStringLiteral("Font_bold"), false);
    s.box.italic = r.readYesNo(i, QStringLiteral("Font_italic"), false);
    s.box.underline = r.readYesNo(i, QStringLiteral("Font_underline"), false);
    s.box.strikeout = r.readYesNo(i, QStringLiteral("Font_strikeout"), false);
    return s;
}

bool HtmlReportSettings::save(Registry& r) const {
    const QString& k = kHtmlReportKey;
    bool ok = true;
    auto track = [&ok](bool written) { ok = ok && written; };
    track(writeColor(r, k, QStringLiteral("Background_color"), backgroundColor));
    track(writeColor(r, k, QStringLiteral("Text_color"), textColor));
    track(writeColor(r, k, QStringLiteral("Hyperlink_color"), hyperlinkColor));
    track(writeColor(r, k, QStringLiteral("Vlink_color"), vlinkColor));
    track(writeColor(r, k, QStringLiteral("Alink_color"), alinkColor));
    track(writeColor(r, k, QStringLiteral("Links_bgcolor"), linksBgColor));
    track(writeColor(r, k, QStringLiteral("LinksHeader_bgcolor"), linksHeaderBgColor));
    track(writeColor(r, k, QStringLiteral("Theader_color"), linksHeaderTextColor));
    track(r.writeString(k, QStringLiteral("background_image"), backgroundImage));
    track(r.writeString(k, QStringLiteral("t1_image"), t1Image));
    track(r.writeString(k, QStringLiteral("t2_image"), t2Image));
    track(r.writeString(k, QStringLiteral("Background_image_url"), backgroundImage));
    track(r.writeYesNo(k, QStringLiteral("Use_frames"), useFrames));
    track(r.writeYesNo(k, QStringLiteral("Use_siblings"), useSiblings));
    track(r.writeString(k, QStringLiteral("Charset"), charset));

    const QString& i = kHtmlReportItemKey;
    track(writeColor(r, i, QStringLiteral("Frame_color"), box.frameColor));
    track(writeColor(r, i, QStringLiteral("Box_color"), box.boxColor));
    track(writeColor(r, i, QStringLiteral("Font_color"), box.fontColor));
    track(r.writeString(i, QStringLiteral("Font_size"), QString::number(box.fontSize)));
    track(r.writeString(i, QStringLiteral("Font_name"), box.fontName));
    track(r.writeYesNo(i, QStringLiteral("Font_bold"), box.bold));
    track(r.writeYesNo(i, QStringLiteral("Font_italic"), box.italic));
    track(r.writeYesNo(i, QStringLiteral("Font_underline"), box.underline));
    track(r.writeYesNo(i, QStringLiteral("Font_strikeout"), box.strikeout));
    return ok;
}

QStringList htmlCharsetEntries() {
    return {
        QStringLiteral("Afrikaans (af): iso-8859-1"), QStringLiteral("Albanian (sq): iso-8859-1"),
        QStringLiteral("Arabic (ar): iso-8859-6"), QStringLiteral("Basque (eu): iso-8859-1"),
        QStringLiteral("Bulgarian (bg): iso-8859-5"), QStringLiteral("Byelorussian (be): iso-8859-5"),
        QStringLiteral("Catalan (ca): iso-8859-1"), QStringLiteral("Croatian (hr): iso-8859-2"),
        QStringLiteral("Czech (cs): iso-8859-2"), QStringLiteral("Danish (da): iso-8859-1"),
        QStringLiteral("Dutch (nl): iso-8859-1"), QStringLiteral("English (en): iso-8859-1"),
        QStringLiteral("Eskimo languages: iso-8859-10"), QStringLiteral("Esperanto (eo): iso-8859-3"),
        QStringLiteral("Estonian (et): iso-8859-10"), QStringLiteral("Faroese (fo): iso-8859-1"),
        QStringLiteral("Finnish (fi): iso-8859-1"), QStringLiteral("French (fr): iso-8859-1"),
        QStringLiteral("Galician (gl): iso-8859-1"), QStringLiteral("German (de): iso-8859-1"),
        QStringLiteral("Greek (el): iso-8859-7"), QStringLiteral("Hebrew (iw): iso-8859-8"),
        QStringLiteral("Hungarian (hu): iso-8859-2"), QStringLiteral("Icelandic (is): iso-8859-1"),
        QStringLiteral("Irish (ga): iso-8859-1"), QStringLiteral("Italian (it): iso-8859-1"),
        QStringLiteral("Japanese (ja): iso-2022-jp"), QStringLiteral("Lapp: iso-8859-10"),
        QStringLiteral("Latvian (lv): iso-8859-10"), QStringLiteral("Lithuanian (lt): iso-8859-10"),
        QStringLiteral("Macedonian (mk): iso-8859-5"), QStringLiteral("Maltese (mt): iso-8859-3"),
        QStringLiteral("Norwegian (no): iso-8859-1"), QStringLiteral("Polish (pl): iso-8859-2"),
        QStringLiteral("Portuguese (pt): iso-8859-1"), QStringLiteral("Romanian (ro): iso-8859-2"),
        QStringLiteral("Russian #2 (ru): windows-1251"), QStringLiteral("Russian (ru): koi-8-r"),
        QStringLiteral("Scottish (gd): iso-8859-1"), QStringLiteral("Serbian (sr): iso-8859-5"),
        QStringLiteral("Slovak (sk): iso-8859-2"), QStringLiteral("Slovenian (sl): iso-8859-2"),
        QStringLiteral("Spanish (es): iso-8859-1"), QStringLiteral("Swedish (sv): iso-8859-1"),
        QStringLiteral("Turkish (tr): iso-8859-9"), QStringLiteral("Ukrainian (uk): iso-8859-5"),
    };
}

QString charsetLabel(const QString& setting) {
    const qsizetype colon = setting.indexOf(QLatin1Char(':'));
    if (colon < 0) return setting.trimmed();
    return setting.mid(colon + 1, 50).trimmed();
}

namespace {

// "#,##0.0": thousands grouped with commas, one decimal, halves rounded away from zero.
QString formatOneDecimal(double value) {
    const long long tenths = static_cast<long long>(std::floor(value * 10.0 + 0.5));
    QString whole = QString::number(tenths / 10);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char(','));
    return whole + QLatin1Char('.') + QString::number(tenths % 10);
}

}  // namespace

QString sizeEstimateText(int persons) {
    const double bytes = static_cast<double>(persons) * 3299.0;
    const double kilobytes = bytes / 1024.0;
    const double megabytes = kilobytes / 1024.0;
    const QString prefix = QStringLiteral("Approxiomately ");
    if (megabytes >= 1.0) return prefix + formatOneDecimal(megabytes) + QStringLiteral("MB");
    return prefix + formatOneDecimal(kilobytes) + QStringLiteral("KB");
}

}  // namespace kinloom

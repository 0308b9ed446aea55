#pragma once
#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace kinloom {

class Registry;

inline const QString kHtmlReportKey = QStringLiteral("Software\\Kinloom.2.0\\Html_report");
inline const QString kHtmlReportItemKey = QStringLiteral("Software\\Kinloom.2.0\\Html_report\\Item");
inline const QString kDefaultHtmlCharset = QStringLiteral("English (en): iso-8859-1");

// A colour as the settings store it: red in bits 0-7, green in 8-15, blue in 16-23.
using ColorRef = uint32_t;
QColor colorFromRef(ColorRef ref);
ColorRef refFromColor(const QColor& color);

// "#RRGGBB" in upper case: the value in hexadecimal, padded to six digits, its last six digits
// read as blue, green and red pairs. 255 gives "#FF0000".
QString colorToHtml(ColorRef ref);

// How the person box of the pages is drawn.
struct BoxStyle {
    ColorRef frameColor = 0;
    ColorRef boxColor = 16777215;
    ColorRef fontColor = 0;  // the desktop's window-text colour
    int fontSize = 7;        // points
    QString fontName = QStringLiteral("Small Fonts");
    bool bold = false, italic = false, underline = false, strikeout = false;
};

// Everything the report dialog keeps between runs, with the stored defaults.
struct HtmlReportSettings {
    ColorRef backgroundColor = 15794175;  // #FFFFF0
    ColorRef textColor = 0;
    ColorRef hyperlinkColor = 8388608;    // #000080
    ColorRef vlinkColor = 8388608;
    ColorRef alinkColor = 8388608;
    ColorRef linksBgColor = 16777215;
    ColorRef linksHeaderBgColor = 0;
    ColorRef linksHeaderTextColor = 16777215;
    QString backgroundImage;  // page
    QString t1Image;          // links header
    QString t2Image;          // links body
    bool useFrames = true;
    bool useSiblings = true;
    QString charset = kDefaultHtmlCharset;
    BoxStyle box;

    static HtmlReportSettings load(Registry& registry);
    // Writes every value; false when one could not be written (the dialog ignores it).
    bool save(Registry& registry) const;
};

// The 46 entries of the charset list, sorted.
QStringList htmlCharsetEntries();

// The charset the pages declare: the setting after its first colon, at most 50 characters,
// trimmed; the whole setting trimmed when it has no colon.
QString charsetLabel(const QString& setting);

// "Approxiomately 6.3MB" / "Approxiomately 32.2KB": 3299 bytes a person.
QString sizeEstimateText(int persons);

}  // namespace kinloom

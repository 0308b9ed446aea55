#pragma once
#include "reports/html_settings.h"
#include "reports/name_order.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kinloom {

struct PersonItem;
class DisplayCharset;
class FamilyIndex;

// The address the pages' footer links to.
inline const QString kKinloomSite = QStringLiteral("https://kinloom.org/");

// What the page texts are made of besides the items.
struct PageStyle {
    QString version;
    QString site = kKinloomSite;
    QString charset;            // the label the pages declare
    bool frames = true;
    bool siblings = true;
    QString bgAttr, t1Attr, t2Attr;  // BACKGROUND="..." with a trailing blank, or empty
    QString bg, text, link, alink, vlink, linksBg, headBg, headText;  // "#RRGGBB"
    NameOrder nameOrder{QLocale::c()};  // how the name index sorts
};

// The picture part of a page: the copy's size.
struct PagePicture {
    int width = 0;
    int height = 0;
};

// Builds the text of the pages, line by line, each line ended by CR LF. Every stored text is read
// in the display character set and escaped; nothing here touches files.
class PageBuilder {
public:
    PageBuilder(const PageStyle& style, const DisplayCharset* charset, const FamilyIndex& family);

    // The page of a person who is not an alias item. `picture` is null when the page shows none;
    // `notes` are the notes file's lines as read.
    QString personPage(const PersonItem& person, const PagePicture* picture, const QStringList& notes) const;
    // The index list's entry of a person (one line without its line end).
    QString indexEntry(const PersonItem& person) const;
    // The index page (its entries sorted as text, then in the style's name order) and the frame
    // set around the home item, which must have a page of its own or
    // through its original; `entries` as indexEntry gives them.
    QString indexPage(const PersonItem& home, int personCount, std::vector<QString> entries) const;
    QString frameSet(const PersonItem& home) const;

    // A stored text read and escaped.
    QString text(const std::string& bytes) const;
    // "<A HREF="n.html">given surname</A>"
    QString link(const PersonItem& target, const PersonItem& names) const;

private:
    QString names(const PersonItem& item) const;  // "given surname"
    QString headLines(const PersonItem& p) const;
    QString linksBox(const QString& partners, const QString& siblings, const QString& children) const;

    PageStyle style_;
    const DisplayCharset* charset_;
    const FamilyIndex& family_;
};

// Lists sorted "as text": case ignored, then by the exact characters so the order is fixed.
void sortAsText(std::vector<QString>& lines);

// The entries ("<BR>" + link each) joined, without the leading "<BR>", keeping as many whole
// entries as fit in `limit` characters.
QString joinEntries(const std::vector<QString>& entries, int limit = 1000);

}  // namespace kinloom

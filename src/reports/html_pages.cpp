#include "reports/html_pages.h"

#include "document/person_item.h"
#include "platform/charsets.h"
#include "reports/family_index.h"
#include "reports/page_encoder.h"

#include <algorithm>

namespace kinloom {

namespace {

const QString kEnd = QStringLiteral("\r\n");
const QString kS4 = QStringLiteral("<IMG SRC=\"blank.gif\" WIDTH=4 HEIGHT=50 BORDER=0>");
const QString kS100 = QStringLiteral("<IMG SRC=\"blank.gif\" WIDTH=100 HEIGHT=50 BORDER=0>");
const QString kS140 = QStringLiteral("<IMG SRC=\"blank.gif\" WIDTH=140 HEIGHT=50 BORDER=0>");
const QString kS220 = QStringLiteral("<IMG SRC=\"blank.gif\" WIDTH=220 HEIGHT=50 BORDER=0>");
const QString kS580 = QStringLiteral("<IMG SRC=\"blank.gif\" WIDTH=580 HEIGHT=10 SHOW=\"NO\" BORDER=0>");
const QString kBr = QStringLiteral("<BR>");

QString id(const PersonItem& item) { return QString::number(item.Id); }

}  // namespace

void sortAsText(std::vector<QString>& lines) {
    std::sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QString joinEntries(const std::vector<QString>& entries, int limit) {
    QString out;
    for (const QString& e : entries) {
        const QString piece = out.isEmpty() && e.startsWith(kBr) ? e.mid(4) : e;
        if (out.size() + piece.size() > limit) break;
        out += piece;
    }
    return out;
}

PageBuilder::PageBuilder(const PageStyle& style, const DisplayCharset* charset, const FamilyIndex& family)
    : style_(style), charset_(charset), family_(family) {}

QString PageBuilder::text(const std::string& bytes) const {
    if (bytes.empty()) return {};
    return htmlEscape(charset_ ? charset_->decode(bytes) : decodeUtf8OrWindows1252(bytes));
}

QString PageBuilder::names(const PersonItem& item) const {
    return text(item.FirstName.str()) + QLatin1Char(' ') + text(item.LastName.str());
}

QString PageBuilder::link(const PersonItem& target, const PersonItem& shownNames) const {
    return QStringLiteral("<A HREF=\"") + id(target) + QStringLiteral(".html\">") + names(shownNames) +
           QStringLiteral("</A>");
}

QString PageBuilder::headLines(const PersonItem& p) const {
    const PersonItem* f = FamilyIndex::resolved(p.Father);
    const PersonItem* m = FamilyIndex::resolved(p.Mother);
    const PersonItem* grand[4] = {f ? FamilyIndex::resolved(f->Father) : nullptr, f ? FamilyIndex::resolved(f->Mother) : nullptr,
                                  m ? FamilyIndex::resolved(m->Father) : nullptr, m ? FamilyIndex::resolved(m->Mother) : nullptr};
    auto relative = [this](const PersonItem* k) {
        if (!k) return kS140;
        return QStringLiteral("<A HREF=\"") + id(*k) + QStringLiteral(".html\"><IMG SRC=\"") + id(*k) +
               QStringLiteral(".gif\" ALT=\"") + names(*k) + QStringLiteral("\" WIDTH=140 HEIGHT=50 BORDER=0></A>");
    };
    auto arrow = [](const PersonItem* k) {
        if (!k || (!k->Father && !k->Mother)) return kS140;
        return QStringLiteral("<IMG ISMAP USEMAP=\"#") + id(*k) +
               QStringLiteral("\" SRC=\"arrow.gif\" WIDTH=140 HEIGHT=50 BORDER=0><MAP NAME=\"") + id(*k) +
               QStringLiteral("\"><AREA SHAPE=\"RECT\" HREF=\"") + id(*k) + QStringLiteral(".html\" COORDS=\"60,10,80,41\"></MAP>");
    };
    QString arrows = kS4, grandparents = kS4;
    for (const PersonItem* g : grand) {
        arrows += arrow(g) + kS4;
        grandparents += relative(g) + kS4;
    }
    const QString self = QStringLiteral("<IMG SRC=\"") + id(p) + QStringLiteral(".gif\" ALT=\"") + names(p) +
                         QStringLiteral("\" WIDTH=140 HEIGHT=50 BORDER=0>");
    QString out;
    out += QStringLiteral("<HTML><HEAD>") + kEnd;
    out += QStringLiteral("<META NAME=\"GENERATOR\" CONTENT=\"Kinloom ") + style_.version + QStringLiteral("\">") + kEnd;
    out += QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") + style_.charset +
           QStringLiteral("\">") + kEnd;
    out += QStringLiteral("<TITLE>The genealogical tree of ") + names(p) + QStringLiteral("</TITLE>") + kEnd;
    out += QStringLiteral("<BODY ") + style_.bgAttr + QStringLiteral("BGCOLOR=\"") + style_.bg + QStringLiteral("\" LINK=\"") +
           style_.link + QStringLiteral("\" ALINK=\"") + style_.alink + QStringLiteral("\" VLINK=\"") + style_.vlink +
           QStringLiteral("\">") + kEnd;
    out += QStringLiteral("<TABLE BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=\"590\" ALIGN=CENTER><TR><TD>") + kEnd;
    out += QStringLiteral("<FONT COLOR=\"") + style_.text + QStringLiteral("\">") + kEnd;
    out += arrows + kBr + kEnd;
    out += grandparents + kBr + kEnd;
    out += kS580 + kBr + kEnd;
    out += kS100 + relative(f) + kS100 + relative(m) + kS100 + kBr + kEnd;
    out += kS580 + kBr + kEnd;
    out += kS220 + self + kS220 + kBr + kEnd;
    out += kS580 + kBr + kEnd;
    return out;
}

QString PageBuilder::linksBox(const QString& partners, const QString& siblings, const QString& children) const {
    QString out;
    out += QStringLiteral("<TABLE BORDER=\"0\" CELLPADDING=\"2\" CELLSPACING=\"2\" ALIGN=\"right\"><TR><TD>") + kEnd;
    out += QStringLiteral("<TABLE BORDER=\"0\" CELLSPACING=\"0\" BGCOLOR=\"black\" CELLPADDING=\"1\" WIDTH=\"200\"><TR><TD>") + kEnd;
    out += QStringLiteral("<TABLE BORDER=\"0\" CELLPADDING=\"10\" CELLSPACING=\"0\" WIDTH=\"100%\">") + kEnd;
    out += QStringLiteral("<TR><TD ALIGN=\"CENTER\" BGCOLOR=\"") + style_.headBg + QStringLiteral("\" ") + style_.t1Attr +
           QStringLiteral("><font color=\"") + style_.headText +
           QStringLiteral("\" size=\"3\" face=\"Verdana,Helvetica,Sans Serif\"><b>l i n k s</b></font></TD></TR>") + kEnd;
    out += QStringLiteral("<TR><TD bgcolor=\"") + style_.linksBg + QStringLiteral("\" ") + style_.t2Attr +
           QStringLiteral("><font size=\"-1\" COLOR=\"") + style_.text + QStringLiteral("\">") + kEnd;
    if (!partners.isEmpty()) out += QStringLiteral("Children with:<BR>") + partners + kEnd;
    if (!siblings.isEmpty()) out += QStringLiteral("Siblings:<BR>") + siblings + kEnd;
    if (!children.isEmpty()) out += QStringLiteral("Children:<BR>") + children + kEnd;
    out += QStringLiteral("</font></TD></TR></TABLE></TD></TR></TABLE></TD></TR></TABLE>") + kEnd;
    return out;
}

QString PageBuilder::personPage(const PersonItem& p, const PagePicture* picture, const QStringList& notes) const {
    QString out = headLines(p);

    // Relatives, in store order.
    std::vector<QString> siblings, children, partners;
    if (style_.siblings)
        for (const PersonItem* q : family_.siblingsOf(p)) siblings.push_back(kBr + link(*q, *q));
    const PersonItem* alias = nullptr;  // the last alias item of the person in store order
    auto collectChildren = [&](const PersonItem* parent) {
        for (const PersonItem* q : family_.childrenOf(parent)) {
            if (q->isAlias()) {
                alias = q;
                continue;
            }
            children.push_back(kBr + link(*q, *q));
            const PersonItem* other = FamilyIndex::resolved(q->Father == parent ? q->Mother : q->Father);
            if (other) partners.push_back(link(*other, *other));
        }
    };
    collectChildren(&p);
    if (const PersonItem* first = alias) collectChildren(first);

    // Marriages of the person, then of its alias item.
    QString marriages;
    for (const PersonItem* side : {&p, alias}) {
        if (!side) continue;
        for (int i = 1; i <= kMaxSpouses; ++i) {
            const PersonItem* spouse = side->Spouse[i];
            const PersonItem* spousePage = FamilyIndex::resolved(spouse);
            if (!spousePage) continue;
            marriages += QStringLiteral("<LI>Married ") + text(side->MarriageDate[i].str());
            if (!side->MarriagePlace[i].empty()) marriages += QStringLiteral(", ") + text(side->MarriagePlace[i].str()) + QLatin1Char(',');
            marriages += QStringLiteral(" to ") + link(*spousePage, *spouse) + kBr;
        }
    }

    sortAsText(partners);
    partners.erase(std::unique(partners.begin(), partners.end()), partners.end());
    for (QString& e : partners) e.prepend(kBr);
    QString partnerText = joinEntries(partners);
    if (!partners.empty()) partnerText += QStringLiteral("<BR><BR>");
    QString siblingText = joinEntries(siblings);
    const QString childText = joinEntries(children);
    if (!siblings.empty() && !children.empty()) siblingText += QStringLiteral("<BR><BR>");
    if (!children.empty() || !siblings.empty()) out += linksBox(partnerText, siblingText, childText);

    // Facts.
    auto event = [this](const char* label, const std::string& date, const std::string& place) {
        if (date.empty() && place.empty()) return QString();
        QString part = QLatin1String(label) + text(date);
        if (!place.empty()) part += QStringLiteral(", ") + text(place);
        return part + kBr;
    };
    out += QStringLiteral("<FONT SIZE=+2>") + names(p) + QStringLiteral("</FONT><BR>") + kEnd;
    out += QStringLiteral("<FONT FACE=\"Verdana,Helvetica\" SIZE=-2>") + kEnd;
    out += event("<LI>Born: ", p.BornDate.str(), p.BornPlace.str()) +
           event("<LI>Baptized: ", p.BaptizedDate.str(), p.BaptizedPlace.str()) + marriages +
           event("<LI>Died: ", p.DiedDate.str(), p.DiedPlace.str()) + kEnd;
    if (!p.Occupation.empty()) out += QStringLiteral("<LI>Occupation: ") + text(p.Occupation.str()) + kBr + kEnd;
    if (!p.Source.empty()) out += QStringLiteral("<LI>Reference: ") + text(p.Source.str()) + kBr + kEnd;
    out += QStringLiteral("</FONT>") + kEnd;
    out += QStringLiteral("<HR SIZE=1 NOSHADE WIDTH=\"100%\" COLOR=\"") + style_.text + QStringLiteral("\">") + kEnd;

    if (picture) {
        const int w = std::max(picture->width, 80);
        const QString file = QStringLiteral("pict") + id(p) + QStringLiteral(".jpg");
        out += QStringLiteral("<TABLE BORDER=\"0\" ALIGN=\"left\" WIDTH=\"") + QString::number(w + 2) +
               QStringLiteral("\"><TR><TD><CENTER><IMG SRC=\"") + file + QStringLiteral("\" ALT=\"") + file + QStringLiteral(" [") +
               QString::number(w) + QLatin1Char('x') + QString::number(picture->height) + QStringLiteral("]\" WIDTH=") +
               QString::number(w) + QStringLiteral(" BORDER=1>") + kEnd;
        if (!p.PictureText.empty())
            out += QStringLiteral(" <FONT FACE=\"Verdana,Helvetica\" SIZE=-2 COLOR=\"") + style_.text + QStringLiteral("\">") +
                   text(p.PictureText.str()) + QStringLiteral("<BR></FONT>") + kEnd;
        out += QStringLiteral("</CENTER></TD></TR></TABLE>") + kEnd;
    }
    for (const QString& line : notes) out += htmlEscape(line) + kBr + kEnd;

    out += QStringLiteral("</TD></TR><TR><TD><CENTER>") + kEnd;
    out += QStringLiteral("<FONT FACE=\"Verdana,Helvetica\" SIZE=-2 COLOR=\"") + style_.text + QStringLiteral("\">") + kEnd;
    if (!style_.frames) out += QStringLiteral("[ <A HREF=\"index.html\">NAME INDEX</A> ]<BR>") + kEnd;
    out += QStringLiteral("<HR SIZE=1 NOSHADE WIDTH=\"100%\" COLOR=\"") + style_.text + QStringLiteral("\">") + kEnd;
    out += QStringLiteral("Generated by <A HREF=\"") + style_.site + QStringLiteral("\" TARGET=\"_top\">Kinloom ") +
           style_.version + QStringLiteral("</A>") + kEnd;
    out += QStringLiteral("</FONT></CENTER></TD></TR></TABLE></BODY></HTML>") + kEnd;
    return out;
}

QString PageBuilder::indexEntry(const PersonItem& p) const {
    const QString given = charset_ ? charset_->decode(p.FirstName.str()) : decodeUtf8OrWindows1252(p.FirstName.str());
    const QString surname = charset_ ? charset_->decode(p.LastName.str()) : decodeUtf8OrWindows1252(p.LastName.str());
    QString display = (surname + QLatin1Char(' ') + given).trimmed();
    if (display.isEmpty()) display = QStringLiteral("(NO NAME)");
    QString out = QStringLiteral("<!--") + htmlEscape(surname + given) + QStringLiteral("--><A HREF=\"") + id(p) +
                  QStringLiteral(".html\" ") + (style_.frames ? QStringLiteral("TARGET=\"right\"") : QString()) +
                  QLatin1Char('>') + htmlEscape(display) + QStringLiteral("</A>");
    if (!p.BornDate.empty() || !p.DiedDate.empty())
        out += QStringLiteral(" (") + text(p.BornDate.str()) + QLatin1Char('-') + text(p.DiedDate.str()) + QLatin1Char(')');
    return out + kBr;
}

QString PageBuilder::indexPage(const PersonItem& home, int personCount, std::vector<QString> entries) const {
    const QString target = style_.frames ? QStringLiteral("TARGET=\"right\"") : QString();
    const QString r = id(*FamilyIndex::resolved(&home));
    const QString meta = QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") + style_.charset +
                         QStringLiteral("\"> <META NAME=\"GENERATOR\" CONTENT=\"Kinloom ") + style_.version + QStringLiteral("\">");
    const QString family = QStringLiteral("<FONT FACE=\"Verdana,Helvetica\"><B>The family of<BR><A HREF=\"") + r +
                           QStringLiteral(".html\" ") + target + QLatin1Char('>') + names(home) +
                           QStringLiteral("</A></B></FONT><BR>");
    const QString count = QStringLiteral("<FONT FACE=\"Verdana,Helvetica\" SIZE=-1\">") + QString::number(personCount) +
                          QStringLiteral(" individuals");
    const QString footerLink = QStringLiteral("<A HREF=\"") + style_.site + QStringLiteral("\" TARGET=\"_top\">Kinloom ") +
                               style_.version + QStringLiteral("</A>");
    QString out;
    for (const QString& line : {QStringLiteral("<HTML>"), QStringLiteral("<HEAD>"), meta, QStringLiteral("<TITLE>Index of family</TITLE>"),
                                QStringLiteral("</HEAD>"), QStringLiteral("<BODY "), QStringLiteral(" BGCOLOR=\"#FFFFFF\" "),
                                QStringLiteral(" LINK=\"#000080\" "), QStringLiteral(" ALINK=\"#000000\" "),
                                QStringLiteral(" VLINK=\"#800080\">"), QStringLiteral("<!-- Generated by Kinloom -->")})
        out += line + kEnd;
    if (style_.frames) {
        out += QStringLiteral("<CENTER>") + family + kEnd;
        out += count + QStringLiteral("</CENTER><BR><TABLE WIDTH=480 BORDER=0><TR><TD>") + kEnd;
    } else {
        out += family + kEnd;
        out += count + QStringLiteral("<BR><TABLE WIDTH=480 BORDER=0><TR><TD>") + kEnd;
    }
    out += QStringLiteral("<FONT FACE=\"Verdana,Helvetica\" SIZE=-1><B>Index in alphabetical order:</B><BR></FONT>"
                          "<FONT FACE=\"Verdana,Helvetica\" SIZE=-2>") + kEnd;
    sortAsText(entries);
    if (style_.nameOrder.collates()) style_.nameOrder.sort(entries, [](const QString& e) { return e; });
    out += QStringLiteral(" ") + kEnd;
    for (const QString& e : entries) out += e + kEnd;
    if (style_.frames) {
        out += QStringLiteral("</FONT></TR></TD></TABLE><BR><CENTER><FONT FACE=\"Verdana,Helvetica\" SIZE=-2>Generated by<BR>") +
               footerLink + kBr + kEnd;
        out += QStringLiteral("</FONT></CENTER></BODY></HTML>") + kEnd;
    } else {
        out += QStringLiteral("</FONT><BR><FONT FACE=\"Verdana,Helvetica\" SIZE=-2><I>Generated by ") + footerLink + kEnd;
        out += QStringLiteral("</A></I></FONT></TD></TR></TABLE></BODY></HTML>") + kEnd;
    }
    return out;
}

QString PageBuilder::frameSet(const PersonItem& home) const {
    const QString r = id(*FamilyIndex::resolved(&home));
    QString out;
    for (const QString& line :
         {QStringLiteral("<HTML>"), QStringLiteral("<HEAD>"),
          QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") + style_.charset +
              QStringLiteral("\"> <META NAME=\"GENERATOR\" CONTENT=\"Kinloom ") + style_.version + QStringLiteral("\"> "),
          QStringLiteral("<TITLE>The family of ") + names(home) + QStringLiteral("</TITLE>"), QStringLiteral("</HEAD>"),
          QStringLiteral("<FRAMESET COLS=\"23%,77%\">"), QStringLiteral("<FRAME SRC=\"left.html\" NAME=\"left\" "),
          QStringLiteral("MARGINHEIGHT=\"0\""), QStringLiteral("MARGINWIDTH=\"0\">"),
          QStringLiteral("<FRAME SRC=\"") + r + QStringLiteral(".html\" NAME=\"right\""), QStringLiteral("MARGINHEIGHT=\"0\""),
          QStringLiteral("MARGINWIDTH=\"2\">"), QStringLiteral("</FRAMESET>"), QStringLiteral("<NOFRAMES>"),
          QStringLiteral("<FONT SIZE=+3>Frames not supported</A><BR>"),
          QStringLiteral("Your browser does not support frames. Click <A HREF=\"left.html\">here</A> to go to the version without frames."),
          QStringLiteral("</NOFRAMES>"), QStringLiteral("</HTML>")})
        out += line + kEnd;
    return out;
}

}  // namespace kinloom

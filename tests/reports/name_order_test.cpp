// The alphabetical list and the web pages' name index sort names as the user's language does.
#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "reports/alphabetical_list.h"
#include "reports/html_report.h"
#include "support/test_support.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

TEST(NameOrder, ListAndIndexFollowTheLanguageAndTheCLocaleKeepsCodeOrder) {
    test::ensureGuiApplication();
    // The same surnames as each language's own alphabet orders them: Norwegian and Swedish put
    // Å after Z and read É as E; English and French read both as plain letters; the C locale has
    // no alphabet and goes by character codes, case ignored.
    struct Case {
        const char* locale;
        QStringList order;
    };
    const Case cases[] = {
        {"C", {"Adam", "zebra", "Zola", "\u00C5se", "\u00C9clair"}},
        {"en_US", {"Adam", "\u00C5se", "\u00C9clair", "zebra", "Zola"}},
        {"fr_FR", {"Adam", "\u00C5se", "\u00C9clair", "zebra", "Zola"}},
        {"nb_NO", {"Adam", "\u00C9clair", "zebra", "Zola", "\u00C5se"}},
        {"sv_SE", {"Adam", "\u00C9clair", "zebra", "Zola", "\u00C5se"}},
    };
    ItemStore store;
    for (const char* surname : {"Zola", "\xC3\x89" "clair", "zebra", "\xC3\x85" "se", "Adam"})  // stored as UTF-8
        test::addPerson(store, "", surname);
    store.currentItem = nullptr;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale locale(QString::fromLatin1(c.locale));
        QStringList listed;
        for (const std::string& line : alphabeticalListLines(store, DisplayCharset(), locale))
            listed << QString::fromUtf8(line).section(QLatin1Char(' '), 0, 0);
        EXPECT_EQ(listed, c.order);

        QTemporaryDir out;
        HtmlReportJob job;
        job.outputFolder = out.path();
        job.settings.charset = QStringLiteral("Unicode: utf-8");
        job.locale = locale;
        HtmlReportProgress quiet;
        ASSERT_TRUE(writeHtmlReport(store, job, quiet).ok);
        QFile index(QDir(out.path()).filePath("left.html"));
        ASSERT_TRUE(index.open(QIODevice::ReadOnly));
        QStringList indexed;
        static const QRegularExpression entry(QStringLiteral("TARGET=\"right\">([^<]*)</A><BR>"));
        for (auto it = entry.globalMatch(QString::fromUtf8(index.readAll())); it.hasNext();) indexed << it.next().captured(1);
        EXPECT_EQ(indexed, c.order);
    }
}

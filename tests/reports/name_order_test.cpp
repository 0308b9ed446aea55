// The alphabetical list and the web pages' name index sort names as the user's language does.
#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "reports/alphabetical_list.h"
#include "reports/html_report.h"
#include "reports/name_order.h"
#include "support/test_support.h"

#include <QDir>
#include <QRegularExpression>
#include <QCollator>
#include <QTemporaryDir>

#include <numeric>
#include <random>

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

// The order, made from byte keys sorted eight bytes at a time, is the one QCollator gives (case
// ignored) and, in the C locale, the one QString::compare gives the upper-cased names: checked on
// random names of accented letters, both cases, blanks, digits and long common beginnings, with
// many that collate alike, which must keep their order.
TEST(NameOrder, OrdersAsQCollatorAndQStringCompareDo) {
    const QString letters = QStringLiteral("aAeEoOzZ\u00E5\u00C5\u00E9\u00C9\u00F8\u00D8\u00E6\u00FC\u00DF\u0107\u0413\u4E2D"
                                           " -'09(");
    std::mt19937 random(11);
    std::vector<QString> names;
    for (int i = 0; i < 3000; ++i) {
        QString name = i % 3 == 0 ? QStringLiteral("Andersen Anne-Marie ") : QString();  // 20 equal characters
        const int length = static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k) name += letters[static_cast<qsizetype>(random() % letters.size())];
        names.push_back(name);
        if (i % 10 == 0) names.push_back(name.toUpper());  // collates alike, case ignored
    }
    names.push_back(QString());
    for (const char* localeName : {"C", "en_US", "nb_NO", "de_DE", "sv_SE", "pl_PL", "zh_CN"}) {
        SCOPED_TRACE(localeName);
        const QLocale locale(QString::fromLatin1(localeName));
        const NameOrder order(locale);
        std::vector<size_t> expected(names.size());
        std::iota(expected.begin(), expected.end(), size_t{0});
        if (order.collates()) {
            QCollator collator(locale);
            collator.setCaseSensitivity(Qt::CaseInsensitive);
            std::stable_sort(expected.begin(), expected.end(),
                             [&](size_t a, size_t b) { return collator.compare(names[a], names[b]) < 0; });
        } else {
            std::stable_sort(expected.begin(), expected.end(),
                             [&](size_t a, size_t b) { return QString::compare(names[a].toUpper(), names[b].toUpper()) < 0; });
        }
        std::vector<size_t> got(names.size());
        std::iota(got.begin(), got.end(), size_t{0});
        order.sortNames(got, [&](size_t i) { return names[i]; });
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_EQ(got[i], expected[i]) << "place " << i << ": " << names[got[i]].toStdString() << " | "
                                           << names[expected[i]].toStdString();
        // A copy orders alike.
        NameOrder copy(QLocale::c());
        copy = order;
        std::vector<size_t> again(names.size());
        std::iota(again.begin(), again.end(), size_t{0});
        copy.sortNames(again, [&](size_t i) { return names[i]; });
        EXPECT_EQ(again, got);
    }
}

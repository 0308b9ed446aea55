#pragma once
#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace kinloom {

class ItemStore;

// The counts Reports > Statistics shows. Persons are items that are not alias boxes; a date's year
// is read by yearOfDate, and a date without one counts as unknown.
struct TreeStatistics {
    int persons = 0;
    int men = 0;
    int women = 0;
    int unknownSex = 0;
    int withBirthDate = 0;
    int withDeathDate = 0;
    int withBothDates = 0;
    // A family is a couple or the parents a child has (one parent alone included); a marriage is a
    // couple linked as spouses, counted once for each link.
    int families = 0;
    int marriages = 0;
    int surnames = 0;  // distinct, spelled exactly alike
    int places = 0;    // distinct places of births, baptisms, deaths and marriages
    // Generations in the longest line of ancestors above the home item and of descendants below
    // it, the home item not counted; 0 for an empty tree.
    int ancestorGenerations = 0;
    int descendantGenerations = 0;
    std::optional<int> earliestYear;  // of any birth, baptism, death or marriage
    std::optional<int> latestYear;
    std::optional<double> meanLifespan;  // years, over persons with both years in order
    std::map<int, int> bornPerDecade;    // 1850 -> persons born 1850..1859
    std::map<int, int> ageAtDeath;       // 30 -> persons who died aged 30..39
};

TreeStatistics treeStatistics(const ItemStore& store);

// The counts as the window lists them, (label, value), without the plots' bins.
std::vector<std::pair<QString, QString>> statisticsRows(const TreeStatistics& statistics);

// The statistics as lines of "Label: value", ended by CR LF as the other reports are, and as a
// JSON object.
QString statisticsText(const TreeStatistics& statistics);
QByteArray statisticsJson(const TreeStatistics& statistics);

}  // namespace kinloom

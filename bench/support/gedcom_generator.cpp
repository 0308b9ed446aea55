#include "support/gedcom_generator.h"

#include <deque>
#include <random>
#include <vector>

namespace kinloom::bench {

namespace {
const char* const kMaleNames[] = {"Ola", "Per", "Johan", "Hans", "Nils", "Lars", "Anders", "Erik",
                                  "Knut", "Jon", "Ole", "Karl", "Martin", "Peder", "Thomas"};
const char* const kFemaleNames[] = {"Kari", "Anne", "Marie", "Ingrid", "Berit", "Karen", "Anna",
                                    "Marta", "Elise", "Sigrid", "Astrid", "Johanne", "Inger", "Liv"};
const char* const kSurnames[] = {"Hansen", "Johansen", "Olsen", "Larsen", "Andersen", "Pedersen",
                                 "Nilsen", "Kristiansen", "Jensen", "Karlsen", "Berg", "Haugen",
                                 "Hagen", "Eriksen", "Bakken", "Dahl", "Lie", "Moen", "Solberg"};
const char* const kPlaces[] = {"Oslo, Norway", "Bergen, Hordaland, Norway", "Trondheim, Norway",
                               "Stavanger, Rogaland, Norway", "Drammen, Buskerud, Norway",
                               "Tromsø, Troms, Norway", "Skien, Telemark, Norway", "Minneapolis, Minnesota, USA"};
const char* const kOccupations[] = {"Farmer", "Fisherman", "Teacher", "Carpenter", "Smith", "Sailor",
                                    "Merchant", "Maid", "Seamstress", "Priest"};
const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

struct Person {
    bool male;
    int given;
    int surname;
    int born;
    int place;
    std::vector<int> spouseIn;  // families as a partner
    int childIn = -1;
};
struct Family {
    int husband, wife;
    int married;
    int place;
    bool divorced;
    std::vector<int> children;
};

template <typename T, size_t N>
int pick(std::mt19937& rng, const T (&)[N]) {
    return static_cast<int>(std::uniform_int_distribution<size_t>(0, N - 1)(rng));
}
}  // namespace

std::string generateGedcom(int individuals, unsigned seed, const char* eol) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::vector<Person> people;
    std::vector<Family> families;
    people.reserve(static_cast<size_t>(individuals) + 16);
    std::deque<int> waiting;  // persons who may still marry, generation by generation

    const auto newPerson = [&](bool male, int surname, int born) {
        people.push_back({male, male ? pick(rng, kMaleNames) : pick(rng, kFemaleNames), surname, born,
                          pick(rng, kPlaces), {}, -1});
        return static_cast<int>(people.size()) - 1;
    };
    const int founders = std::max(2, individuals / 200);
    for (int i = 0; i < founders && static_cast<int>(people.size()) < individuals; ++i)
        waiting.push_back(newPerson(chance(rng) < 0.5, pick(rng, kSurnames), 1700 + static_cast<int>(chance(rng) * 40)));

    while (static_cast<int>(people.size()) < individuals) {
        if (waiting.empty())  // everyone stayed single: start another founder line
            waiting.push_back(newPerson(true, pick(rng, kSurnames), 1750));
        const int p = waiting.front();
        waiting.pop_front();
        if (chance(rng) > 0.85) continue;  // never married
        const int marriages = chance(rng) < 0.12 ? 2 : 1;
        for (int m = 0; m < marriages && static_cast<int>(people.size()) < individuals; ++m) {
            const Person me = people[static_cast<size_t>(p)];
            const int spouse = newPerson(!me.male, pick(rng, kSurnames), me.born + static_cast<int>(chance(rng) * 8) - 4);
            Family f{me.male ? p : spouse, me.male ? spouse : p, me.born + 20 + static_cast<int>(chance(rng) * 10) + m * 12,
                     pick(rng, kPlaces), m + 1 < marriages, {}};
            const int fi = static_cast<int>(families.size());
            people[static_cast<size_t>(p)].spouseIn.push_back(fi);
            people[static_cast<size_t>(spouse)].spouseIn.push_back(fi);
            const int kids = std::poisson_distribution<int>(2.6)(rng);
            const int surname = people[static_cast<size_t>(f.husband)].surname;
            for (int k = 0; k < kids && static_cast<int>(people.size()) < individuals; ++k) {
                const int child = newPerson(chance(rng) < 0.5, surname, f.married + 1 + k * 2);
                people[static_cast<size_t>(child)].childIn = fi;
                f.children.push_back(child);
                waiting.push_back(child);
            }
            families.push_back(std::move(f));
        }
    }

    std::string out;
    out.reserve(people.size() * 260 + families.size() * 120);
    const auto line = [&](const std::string& text) {
        out += text;
        out += eol;
    };
    const auto date = [&](int year) {
        return std::to_string(1 + static_cast<int>(chance(rng) * 28)) + " " + kMonths[pick(rng, kMonths)] + " " +
               std::to_string(year);
    };
    line("0 HEAD");
    line("1 SOUR KINLOOM_BENCH");
    line("1 GEDC");
    line("2 VERS 5.5.1");
    line("2 FORM LINEAGE-LINKED");
    line("1 CHAR UTF-8");
    for (size_t i = 0; i < people.size(); ++i) {
        const Person& p = people[i];
        const std::string given = p.male ? kMaleNames[p.given] : kFemaleNames[p.given];
        line("0 @I" + std::to_string(i + 1) + "@ INDI");
        line("1 NAME " + given + " /" + kSurnames[p.surname] + "/");
        line("2 GIVN " + given);
        line("2 SURN " + std::string(kSurnames[p.surname]));
        line(std::string("1 SEX ") + (p.male ? "M" : "F"));
        line("1 BIRT");
        line("2 DATE " + date(p.born));
        line("2 PLAC " + std::string(kPlaces[p.place]));
        if (chance(rng) < 0.3) {
            line("1 BAPM");
            line("2 DATE " + date(p.born));
        }
        if (p.born < 1930 || chance(rng) < 0.2) {
            line("1 DEAT");
            line("2 DATE " + date(p.born + 40 + static_cast<int>(chance(rng) * 50)));
            line("2 PLAC " + std::string(kPlaces[pick(rng, kPlaces)]));
        }
        if (chance(rng) < 0.5) line("1 OCCU " + std::string(kOccupations[pick(rng, kOccupations)]));
        if (chance(rng) < 0.2) line("1 SOUR @S1@");
        for (const int f : p.spouseIn) line("1 FAMS @F" + std::to_string(f + 1) + "@");
        if (p.childIn >= 0) line("1 FAMC @F" + std::to_string(p.childIn + 1) + "@");
    }
    for (size_t i = 0; i < families.size(); ++i) {
        const Family& f = families[i];
        line("0 @F" + std::to_string(i + 1) + "@ FAM");
        line("1 HUSB @I" + std::to_string(f.husband + 1) + "@");
        line("1 WIFE @I" + std::to_string(f.wife + 1) + "@");
        for (const int c : f.children) line("1 CHIL @I" + std::to_string(c + 1) + "@");
        line("1 MARR");
        line("2 DATE " + date(f.married));
        line("2 PLAC " + std::string(kPlaces[f.place]));
        if (f.divorced) {
            line("1 DIV");
            line("2 DATE " + std::to_string(f.married + 10));
        }
    }
    line("0 @S1@ SOUR");
    line("1 TITL Parish register");
    line("0 TRLR");
    return out;
}

}  // namespace kinloom::bench

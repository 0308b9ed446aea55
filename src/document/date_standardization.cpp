#include "document/date_standardization.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <type_traits>

namespace kinloom {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The rules work on code units: bytes of a stored text or UTF-16 units of a typed one. Only ASCII
// matters to them, so both give the same result on the same characters.
int code(char c) { return static_cast<unsigned char>(c); }
int code(QChar c) { return c.unicode(); }

template <typename str>
struct Text {
    using Char = typename str::value_type;

    static constexpr bool kWide = std::is_same_v<str, QString>;
    static Char ch(int c) {
        if constexpr (kWide)
            return QChar(c);
        else
            return static_cast<char>(c);
    }
    static bool empty(const str& s) { return s.size() == 0; }
    static str fromAscii(const char* s) {
        str out;
        for (; *s; ++s) out.push_back(ch(*s));
        return out;
    }
    // Trim as the old run-time library did: every character up to the blank goes at both ends.
    static str trim(const str& s) {
        qsizetype b = 0, e = static_cast<qsizetype>(s.size());
        while (b < e && code(s[b]) <= ' ') ++b;
        while (e > b && code(s[e - 1]) <= ' ') --e;
        return mid(s, b, e - b);
    }
    static str mid(const str& s, qsizetype from, qsizetype n) {
        if constexpr (kWide)
            return s.mid(from, n);
        else
            return s.substr(static_cast<size_t>(from), static_cast<size_t>(n));
    }
    static str Right(const str& s, qsizetype n) {
        const auto size = static_cast<qsizetype>(s.size());
        return n >= size ? s : mid(s, size - n, n);
    }
    // Drops `n` characters and the one before them from the end. That one character should be a
    // separator; when it is not, a letter or digit is lost and `clean` becomes false.
    static void cutEnd(str& s, qsizetype n, bool& clean) {
        const auto size = static_cast<qsizetype>(s.size());
        if (size - n - 1 >= 0 && s[size - n - 1] != ch('_')) clean = false;
        s.resize(std::max<qsizetype>(0, size - n - 1));
    }
    // Only unsigned digit strings can be here, since signs became underscores.
    static bool isInteger(const str& s) {
        if (empty(s)) return false;
        for (Char c : s)
            if (code(c) < '0' || code(c) > '9') return false;
        return true;
    }
    static int toInt(const str& s) {
        int v = 0;
        for (Char c : s) v = v * 10 + (code(c) - '0');
        return v;
    }
    // The longest tail of s that is an integer, found by dropping leading characters.
    static str integerSuffix(str s) {
        while (!empty(s) && !isInteger(s)) s = mid(s, 1, static_cast<qsizetype>(s.size()) - 1);
        return s;
    }
    static bool equalsIgnoringCase(const str& s, const char* ascii) {
        qsizetype i = 0;
        for (; ascii[i]; ++i) {
            if (i >= static_cast<qsizetype>(s.size())) return false;
            int a = code(s[i]), b = ascii[i];
            if (a >= 'a' && a <= 'z') a -= 32;
            if (b >= 'a' && b <= 'z') b -= 32;
            if (a != b) return false;
        }
        return i == static_cast<qsizetype>(s.size());
    }

    // YYYY-MM-DD with a month and a day that exist: "5 Mar 1900". The general rules below would
    // read it backwards ("1 00 Mar 05").
    static bool isoDate(const str& s, str& out) {
        if (s.size() != 10 || code(s[4]) != '-' || code(s[7]) != '-') return false;
        const str year = mid(s, 0, 4), month = mid(s, 5, 2), day = mid(s, 8, 2);
        if (!isInteger(year) || !isInteger(month) || !isInteger(day)) return false;
        const int y = toInt(year), m = toInt(month), d = toInt(day);
        if (!QDate(y == 0 ? 2000 : y, m, d).isValid()) return false;  // year 0 is a leap year, as 2000
        out = fromAscii(std::to_string(d).c_str()) + ch(' ') + fromAscii(kMonthNames[m - 1]) + ch(' ') + year;
        return true;
    }

    static int monthNumber(const str& month) {
        if (isInteger(month)) return toInt(month);
        for (int m = 0; m < 12; ++m)
            if (equalsIgnoringCase(month, kMonthNames[m])) return m + 1;
        return 0;
    }
    static bool dayExists(int day, int month, const str& year) {
        if (month < 1 || month > 12 || day < 1) return false;
        // Without a year the day only has to exist in some year (29 Feb does). Year 0 leaps, as 2000.
        const int y = empty(year) ? 2000 : toInt(year);
        return day <= QDate(y == 0 ? 2000 : y, month, 1).daysInMonth();
    }

    // The rewrite reads the text from its end: year, month, day, and what is left is the prefix.
    // Its result is used only when that reading is a date: a month, a day that exists in it, and
    // nothing but separators lost on the way (so every digit and letter stays, in order, apart from
    // a month number becoming its name and the day-month swap). Anything else is kept as typed,
    // so that "1938-1940" or "2/30/1900" never turn into a wrong date.
    static str standardize(const str& input) {
        const str typed = trim(input);
        if (str iso; isoDate(typed, iso)) return iso;
        str t = fromAscii("  ") + typed;
        for (auto& c : t)
            if (code(c) < '0') c = ch('_');
        bool clean = true;

        str year = integerSuffix(Right(t, 5));
        if (!empty(year)) cutEnd(t, static_cast<qsizetype>(year.size()), clean);

        str month;
        if (t.size() >= 2) {
            const str number = integerSuffix(Right(t, 2));
            if (!empty(number)) {
                cutEnd(t, static_cast<qsizetype>(number.size()), clean);
                const int value = toInt(number);
                month = value >= 1 && value <= 12 ? fromAscii(kMonthNames[value - 1]) : number;
            } else {
                str name = Right(t, 3);
                if (!empty(name) && code(name[0]) >= 'a' && code(name[0]) <= 'z')
                    name[0] = ch(code(name[0]) - 32);
                for (const char* m : kMonthNames) {
                    if (equalsIgnoringCase(name, m)) {
                        month = name;
                        cutEnd(t, static_cast<qsizetype>(name.size()), clean);
                        break;
                    }
                }
            }
        }

        str day;
        if (!empty(t)) {
            day = integerSuffix(Right(t, 2));
            if (!empty(day)) cutEnd(t, static_cast<qsizetype>(day.size()), clean);
        }

        str prefix = t;
        for (auto& c : prefix)
            if (c == ch('_')) c = ch(' ');
        prefix = trim(prefix);
        if (!empty(prefix)) prefix.push_back(ch(' '));

        // A month above 12 with a day that could be a month: the date was written month first.
        if (isInteger(month) && toInt(month) >= 13 && isInteger(day)) {
            const int d = toInt(day);
            if (d >= 1 && d <= 12) {
                day = month;
                month = fromAscii(kMonthNames[d - 1]);
            }
        }
        if (!clean || isInteger(month) || empty(month)) return typed;
        if (!empty(day) && !dayExists(toInt(day), monthNumber(month), year)) return typed;
        month.push_back(ch(' '));
        if (!empty(day)) day.push_back(ch(' '));
        return prefix + day + month + year;
    }
};

}  // namespace

QString standardizeDate(const QString& text, DateOptions options) {
    if (!options.dateStandardization) return text;
    return Text<QString>::standardize(text);
}

std::string standardizeDate(std::string_view bytes, DateOptions options) {
    if (!options.dateStandardization) return std::string(bytes);
    return Text<std::string>::standardize(std::string(bytes));
}

}  // namespace kinloom

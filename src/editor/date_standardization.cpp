#include "editor/date_standardization.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace kinloom {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The rules work on code units: bytes of a stored text or UTF-16 units of a typed one. Only ASCII
// matters to them, so both give the same result on the same characters.
int Code(char c) { return static_cast<unsigned char>(c); }
int Code(QChar c) { return c.unicode(); }

template <typename Str>
struct Text {
    using Char = typename Str::value_type;

    static constexpr bool kWide = std::is_same_v<Str, QString>;
    static Char Ch(int c) {
        if constexpr (kWide)
            return QChar(c);
        else
            return static_cast<char>(c);
    }
    static bool Empty(const Str& s) { return s.size() == 0; }
    static Str FromAscii(const char* s) {
        Str out;
        for (; *s; ++s) out.push_back(Ch(*s));
        return out;
    }
    // Trim as the old run-time library did: every character up to the blank goes at both ends.
    static Str Trim(const Str& s) {
        qsizetype b = 0, e = static_cast<qsizetype>(s.size());
        while (b < e && Code(s[b]) <= ' ') ++b;
        while (e > b && Code(s[e - 1]) <= ' ') --e;
        return Mid(s, b, e - b);
    }
    static Str Mid(const Str& s, qsizetype from, qsizetype n) {
        if constexpr (kWide)
            return s.mid(from, n);
        else
            return s.substr(static_cast<size_t>(from), static_cast<size_t>(n));
    }
    static Str Right(const Str& s, qsizetype n) {
        const auto size = static_cast<qsizetype>(s.size());
        return n >= size ? s : Mid(s, size - n, n);
    }
    // Drops `n` characters and the one before them from the end.
    static void CutEnd(Str& s, qsizetype n) {
        const auto size = static_cast<qsizetype>(s.size());
        s.resize(std::max<qsizetype>(0, size - n - 1));
    }
    // Only unsigned digit strings can be here, since signs became underscores.
    static bool IsInteger(const Str& s) {
        if (Empty(s)) return false;
        for (Char c : s)
            if (Code(c) < '0' || Code(c) > '9') return false;
        return true;
    }
    static int ToInt(const Str& s) {
        int v = 0;
        for (Char c : s) v = v * 10 + (Code(c) - '0');
        return v;
    }
    // The longest tail of s that is an integer, found by dropping leading characters.
    static Str IntegerSuffix(Str s) {
        while (!Empty(s) && !IsInteger(s)) s = Mid(s, 1, static_cast<qsizetype>(s.size()) - 1);
        return s;
    }
    static bool EqualsIgnoringCase(const Str& s, const char* ascii) {
        qsizetype i = 0;
        for (; ascii[i]; ++i) {
            if (i >= static_cast<qsizetype>(s.size())) return false;
            int a = Code(s[i]), b = ascii[i];
            if (a >= 'a' && a <= 'z') a -= 32;
            if (b >= 'a' && b <= 'z') b -= 32;
            if (a != b) return false;
        }
        return i == static_cast<qsizetype>(s.size());
    }

    static Str Standardize(const Str& input) {
        Str t = FromAscii("  ") + Trim(input);
        for (auto& c : t)
            if (Code(c) < '0') c = Ch('_');

        Str year = IntegerSuffix(Right(t, 5));
        if (!Empty(year)) CutEnd(t, static_cast<qsizetype>(year.size()));

        Str month;
        if (t.size() >= 2) {
            const Str number = IntegerSuffix(Right(t, 2));
            if (!Empty(number)) {
                CutEnd(t, static_cast<qsizetype>(number.size()));
                const int value = ToInt(number);
                month = value >= 1 && value <= 12 ? FromAscii(kMonthNames[value - 1]) : number;
            } else {
                Str name = Right(t, 3);
                if (!Empty(name) && Code(name[0]) >= 'a' && Code(name[0]) <= 'z')
                    name[0] = Ch(Code(name[0]) - 32);
                for (const char* m : kMonthNames) {
                    if (EqualsIgnoringCase(name, m)) {
                        month = name;
                        CutEnd(t, static_cast<qsizetype>(name.size()));
                        break;
                    }
                }
            }
        }

        Str day;
        if (!Empty(t)) {
            day = IntegerSuffix(Right(t, 2));
            if (!Empty(day)) CutEnd(t, static_cast<qsizetype>(day.size()));
        }

        Str prefix = t;
        for (auto& c : prefix)
            if (c == Ch('_')) c = Ch(' ');
        prefix = Trim(prefix);
        if (!Empty(prefix)) prefix.push_back(Ch(' '));

        // A month above 12 with a day that could be a month: the date was written month first.
        if (IsInteger(month) && ToInt(month) >= 13 && IsInteger(day)) {
            const int d = ToInt(day);
            if (d >= 1 && d <= 12) {
                day = month;
                month = FromAscii(kMonthNames[d - 1]);
            }
        }
        if (!Empty(month)) month.push_back(Ch(' '));
        if (!Empty(day)) day.push_back(Ch(' '));
        return prefix + day + month + year;
    }
};

}  // namespace

QString StandardizeDate(const QString& text, DateOptions options) {
    if (!options.Date_Standardization) return text;
    return Text<QString>::Standardize(text);
}

std::string StandardizeDate(std::string_view bytes, DateOptions options) {
    if (!options.Date_Standardization) return std::string(bytes);
    return Text<std::string>::Standardize(std::string(bytes));
}

}  // namespace kinloom

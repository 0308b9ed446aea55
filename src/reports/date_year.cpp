#include "reports/date_year.h"

namespace kinloom {

std::optional<int> yearOfDate(std::string_view date) {
    // Walks back over the runs of digits; the first run of four from the end is the year.
    size_t end = date.size();
    while (end > 0) {
        while (end > 0 && !(date[end - 1] >= '0' && date[end - 1] <= '9')) --end;
        size_t begin = end;
        while (begin > 0 && date[begin - 1] >= '0' && date[begin - 1] <= '9') --begin;
        if (end - begin == 4) {
            int year = 0;
            for (size_t i = begin; i < end; ++i) year = year * 10 + (date[i] - '0');
            return year;
        }
        end = begin;
    }
    return std::nullopt;
}

}  // namespace kinloom

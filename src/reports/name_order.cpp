#include "reports/name_order.h"

namespace kinloom {

NameOrder::NameOrder(const QLocale& locale) {
    if (locale.language() == QLocale::C) return;
    collator_.emplace(locale);
    collator_->setCaseSensitivity(Qt::CaseInsensitive);
}

}  // namespace kinloom

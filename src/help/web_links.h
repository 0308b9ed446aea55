#pragma once
#include <QString>

namespace kinloom {

// The product's addresses on the web, opened from the Help menu in the user's browser.
inline const QString kHomePageAddress = QStringLiteral("https://kinloom.org/");
inline const QString kDiscussionForumAddress = QStringLiteral("https://kinloom.org/forum/");

}  // namespace kinloom

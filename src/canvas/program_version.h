#pragma once
#include <QString>

namespace kinloom {

// The version the program shows in its caption, its about box, printed posters and web pages.
inline const QString kVersionLabel = QStringLiteral("2.0 beta 3.6");

// The main window's caption: "Kinloom 2.0 beta 3.6", followed by " [file]" while a file name is set.
inline QString windowCaption(const QString& currentFileName) {
    QString caption = QStringLiteral("Kinloom ") + kVersionLabel;
    if (!currentFileName.isEmpty()) caption += QStringLiteral(" [") + currentFileName + QLatin1Char(']');
    return caption;
}

}  // namespace kinloom

#include "support/test_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kinloom::test {

TestFont::TestFont(Face face) {
    const char* file = face == Serif ? "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf"
                                     : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    id_ = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    if (id_ >= 0) family_ = QFontDatabase::applicationFontFamilies(id_).value(0);
}

TestFont::~TestFont() {
    if (id_ >= 0) QFontDatabase::removeApplicationFont(id_);
}

}  // namespace kinloom::test

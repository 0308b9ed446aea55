#pragma once
#include <QString>

namespace kinloom::test {

// A font file of a Debian package that scripts/setup.sh installs, added to the application's
// fonts for as long as the object lives, so that what a test draws and measures does not hang on
// what else the machine has (where more fonts are installed, "Times New Roman" may be matched by
// another font, hinted otherwise). Removed again at the end, so that later tests, and the
// programs they start, see the machine's fonts alike. A QGuiApplication must exist.
class TestFont {
public:
    enum Face {
        Serif,  // Liberation Serif (fonts-liberation), with the metrics of Times New Roman
        Sans,   // DejaVu Sans (fonts-dejavu-core), which has Arabic and Hebrew
    };
    explicit TestFont(Face face);
    ~TestFont();
    TestFont(const TestFont&) = delete;
    TestFont& operator=(const TestFont&) = delete;

    // The family to ask for; empty when the file could not be loaded.
    const QString& family() const { return family_; }

private:
    int id_ = -1;
    QString family_;
};

}  // namespace kinloom::test

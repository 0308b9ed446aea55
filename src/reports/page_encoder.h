#pragma once
#include <QByteArray>
#include <QString>

#include <memory>

namespace kinloom {

// Text with '&', '<', '>' and '"' written as entities, so that stored names and notes can never
// become markup in a page.
QString htmlEscape(const QString& text);

// Writes page text in the character set a page declares. A label browsers do not know but that
// has a standard spelling ("koi-8-r") is declared under that spelling. A character the set cannot
// hold becomes a numeric character reference ("&#269;"); a label this machine cannot encode at all
// gives pages in plain ASCII with references for everything else, which is right under any
// ASCII-based declaration. C1 control characters, which no such page can show, are left out.
class PageEncoder {
public:
    explicit PageEncoder(const QString& label);
    ~PageEncoder();
    PageEncoder(const PageEncoder&) = delete;
    PageEncoder& operator=(const PageEncoder&) = delete;

    // The label the pages declare.
    const QString& declaredLabel() const { return declared_; }
    QByteArray encode(const QString& text);

private:
    struct Iconv;
    QString declared_;
    bool utf8_ = false;
    std::unique_ptr<Iconv> conv_;
};

}  // namespace kinloom

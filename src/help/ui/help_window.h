#pragma once
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace kinloom {

// The help window: the user manual in a text browser with Back, Forward and Contents. It reads
// only the manual's own files; links to the web open in the user's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `manualFolder` empty: the manual was not found, and showTopic() says so in the window.
    explicit HelpWindow(const QString& manualFolder, QWidget* parent = nullptr);

    const QString& manualFolder() const { return manualFolder_; }
    // Shows a page of the manual ("aliases.html", "menus.html#link") and brings the window up.
    void showTopic(const QString& target);
    QTextBrowser* browser() const { return browser_; }

signals:
    // A link to an address outside the manual was clicked.
    void externalLinkClicked(const QUrl& url);

private:
    QString manualFolder_;
    QTextBrowser* browser_;
};

}  // namespace kinloom

#include "help/ui/help_window.h"

#include "help/manual.h"

#include <QDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace kinloom {

HelpWindow::HelpWindow(const QString& manualFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), manualFolder_(manualFolder) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Kinloom Help"));
    resize(820, 640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("manualBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    if (!manualFolder_.isEmpty()) browser_->setSearchPaths({manualFolder_});
    bar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("&Back"), browser_,
                   &QTextBrowser::backward);
    bar->addAction(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("&Forward"), browser_,
                   &QTextBrowser::forward);
    bar->addAction(QIcon::fromTheme(QStringLiteral("go-home")), QStringLiteral("&Contents"), this,
                   [this] { showTopic(kManualContentsPage); });
    layout->addWidget(bar);
    layout->addWidget(browser_, 1);
    // A page of the manual opens here; anything else (the web, mail) belongs to the user's programs.
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("file")) {
            browser_->setSource(browser_->source());  // stay on the page
            emit externalLinkClicked(url);
        }
    });
}

void HelpWindow::showTopic(const QString& target) {
    if (manualFolder_.isEmpty()) {
        browser_->setHtml(QStringLiteral("<h2>The user manual was not found</h2><p>Kinloom looks for it in "
                                         "these folders:</p><ul><li>%1</li></ul>")
                              .arg(manualFolderCandidates(QString()).join(QStringLiteral("</li><li>"))));
    } else {
        const qsizetype hash = target.indexOf(QLatin1Char('#'));
        QUrl url = QUrl::fromLocalFile(QDir(manualFolder_).filePath(hash < 0 ? target : target.left(hash)));
        if (hash >= 0) url.setFragment(target.mid(hash + 1));
        browser_->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace kinloom

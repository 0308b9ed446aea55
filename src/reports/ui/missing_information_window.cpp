#include "reports/ui/missing_information_window.h"

#include "document/item_store.h"
#include "platform/prompts.h"
#include "reports/alphabetical_list.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

MissingInformationWindow::MissingInformationWindow(ItemStore& store, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Tool), store_(store), prompts_(prompts) {
    setObjectName(QStringLiteral("missingInformationWindow"));
    resize(420, 480);
    auto* layout = new QVBoxLayout(this);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("countLabel"));
    layout->addWidget(count_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setToolTip(QStringLiteral("Double-click to edit the person"));
    list_->setUniformItemSizes(true);
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save as text..."), this);
    save->setObjectName(QStringLiteral("saveButton"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &MissingInformationWindow::saveAsText);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { personActivated(list_->row(item)); });
}

void MissingInformationWindow::showList(MissingField field, const DisplayCharset& charset, int currentYear) {
    field_ = field;
    charset_ = charset;
    currentYear_ = currentYear;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    rows_ = missingInformation(store_, field, currentYear, charset);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows_.size()));
    for (const MissingRow& r : rows_) lines.append(charset.decode(r.line));
    list_->setUpdatesEnabled(false);
    list_->clear();
    list_->addItems(lines);
    list_->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    setWindowTitle(QLatin1String(missingInformationTitle(field)));
    count_->setText(rows_.size() == 1 ? QStringLiteral("1 person") : QStringLiteral("%1 persons").arg(rows_.size()));
    show();
    raise();
    activateWindow();
}

void MissingInformationWindow::personActivated(int row) {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    // The tree may have changed since the list was made: only a person still in it is shown.
    for (PersonItem* p = store_.firstItem(); p; p = p->Next) {
        if (p != rows_[static_cast<size_t>(row)].person) continue;
        if (showPerson_) showPerson_(p);
        return;
    }
    prompts_.inform(windowTitle(), QStringLiteral("This person is no longer in the tree. The list is made anew."));
    showList(field_, charset_, currentYear_);
}

void MissingInformationWindow::saveAsText() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save list");
    request.defaultExtension = QStringLiteral("txt");
    request.filter = QStringLiteral("Text file (*.txt)|*.txt");
    request.promptOverwrite = true;
    const std::optional<QString> chosen = prompts_.saveFileName(request);
    if (!chosen) return;
    std::vector<std::string> lines;
    lines.reserve(rows_.size());
    for (const MissingRow& r : rows_) lines.push_back(r.line);
    QString error;
    if (!writeAlphabeticalList(lines, *chosen, &error))
        prompts_.error(windowTitle(), QStringLiteral("Kinloom could not save the file %1.\n%2").arg(*chosen, error));
}

}  // namespace kinloom

#include "reports/ui/background_dialog.h"

#include "platform/prompts.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kinloom {

BackgroundDialog::BackgroundDialog(Prompts& prompts, QColor color, QString wallpaper, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), prompts_(prompts), color_(color), wallpaper_(std::move(wallpaper)) {
    setWindowTitle(QStringLiteral("Background"));
    auto* layout = new QVBoxLayout(this);
    chooseColorButton = new QPushButton(QStringLiteral("Choose color"), this);
    openWallpaperButton = new QPushButton(QStringLiteral("Open wallpaper"), this);
    noWallpaperButton = new QPushButton(QStringLiteral("Do not use wallpaper"), this);
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {chooseColorButton, openWallpaperButton, noWallpaperButton, closeButton}) layout->addWidget(b);
    connect(chooseColorButton, &QPushButton::clicked, this, &BackgroundDialog::chooseColor);
    connect(openWallpaperButton, &QPushButton::clicked, this, &BackgroundDialog::openWallpaper);
    connect(noWallpaperButton, &QPushButton::clicked, this, &BackgroundDialog::clearWallpaper);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void BackgroundDialog::chooseColor() {
    if (const auto c = prompts_.chooseColor(color_)) color_ = *c;
    accept();
}

void BackgroundDialog::openWallpaper() {
    FileDialogRequest request;
    request.filter = QStringLiteral(
        "Internet images (*.jpg;*.jpeg;*.gif)|*.jpg;*.jpeg;*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
        "Graphics Interchange Format (*.gif)|*.gif");
    request.fileName = wallpaper_;
    if (const auto name = prompts_.openFileName(request)) wallpaper_ = *name;
    accept();
}

void BackgroundDialog::clearWallpaper() {
    wallpaper_.clear();
    accept();
}

}  // namespace kinloom

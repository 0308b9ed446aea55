#pragma once
#include <QColor>
#include <QDialog>
#include <QString>

class QPushButton;

namespace kinloom {

class Prompts;

// "Background": a colour and an optional wallpaper for the page or a part of the links box. Each
// button closes it; "&Close" closes it unchanged.
class BackgroundDialog : public QDialog {
    Q_OBJECT
public:
    BackgroundDialog(Prompts& prompts, QColor color, QString wallpaper, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    QString wallpaper() const { return wallpaper_; }

    QPushButton *chooseColorButton, *openWallpaperButton, *noWallpaperButton, *closeButton;

    void chooseColor();
    void openWallpaper();
    void clearWallpaper();

private:
    Prompts& prompts_;
    QColor color_;
    QString wallpaper_;
};

}  // namespace kinloom

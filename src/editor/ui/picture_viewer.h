#pragma once
#include <QDialog>

class QLabel;
class QScrollArea;

namespace kinloom {

// PictureViewer: the person's picture at full size, unscaled at the top-left corner of a scroll box.
// Not modal; reused for every picture shown.
class PictureViewer : public QDialog {
    Q_OBJECT
public:
    explicit PictureViewer(QWidget* parent = nullptr);
    // Loads the picture through the image codec and shows the window sized to it.
    void showPicture(const QString& fileName);
    QLabel* image() const { return image_; }

private:
    QScrollArea* scroll_;
    QLabel* image_;
};

}  // namespace kinloom

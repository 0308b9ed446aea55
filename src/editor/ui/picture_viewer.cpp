#include "editor/ui/picture_viewer.h"

#include "platform/imagecodec.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kinloom {

PictureViewer::PictureViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("pictureViewer"));
    setWindowTitle(QStringLiteral("Picture"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    scroll_ = new QScrollArea(this);
    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("image"));
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setWidget(image_);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(scroll_, 1);
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("bottomPanel"));
    bottom->setFixedHeight(33);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(4, 4, 4, 4);
    row->addStretch();
    auto* close = new QPushButton(QStringLiteral("&Close"), bottom);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    row->addWidget(close);
    row->addStretch();
    layout->addWidget(bottom);
}

void PictureViewer::showPicture(const QString& fileName) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    image_->clear();
    const QImage picture = loadImageFile(fileName);
    if (!picture.isNull()) image_->setPixmap(QPixmap::fromImage(picture));
    image_->resize(picture.isNull() ? QSize(0, 0) : picture.size());
    resize(image_->width() + 4, image_->height() + 33 + 4);
    setWindowTitle(fileName);
    show();
    raise();
    QApplication::restoreOverrideCursor();
}

}  // namespace kinloom

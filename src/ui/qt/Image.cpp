#include "ui/qt/Image.h"

#include <cstring>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace velox::ui {

TImage::TImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TImage::NewBitmap(const QColor& fill) {
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(fill);
    update();
}

void TImage::CopyFrom(const QImage& picture) {
    if (picture_.size() == picture.size() && picture_.format() == picture.format() &&
        picture_.bytesPerLine() == picture.bytesPerLine()) {
        std::memcpy(picture_.bits(), picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
    } else {
        picture_ = picture.copy();
    }
    update();
}

void TImage::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (picture_.isNull() || picture_.width() < width() || picture_.height() < height())
        p.fillRect(event->rect(), Qt::white);
    if (!picture_.isNull()) p.drawImage(event->rect().topLeft(), picture_, event->rect());
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(*this, *event);
    else
        QWidget::mousePressEvent(event);
}

}  // namespace velox::ui

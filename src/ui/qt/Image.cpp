#include "ui/qt/Image.h"

#include <cmath>
#include <cstring>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace velox::ui {

TImage::TImage(QWidget* parent) : Logical<QWidget>(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

QImage TImage::NewPicture(QSize size, const QColor& fill) const {
    const double scale = PixelScaleOf(this);
    QImage picture;
    if (scale == 1) {
        picture = QImage(size, QImage::Format_RGB32);
    } else {
        // As many device pixels as the control shows, for its whole size.
        const QSize shown = QWidget::size() * devicePixelRatioF();
        const QSize device(size == this->size() ? shown.width() : static_cast<int>(std::lround(size.width() * scale)),
                           size == this->size() ? shown.height() : static_cast<int>(std::lround(size.height() * scale)));
        picture = QImage(device, QImage::Format_RGB32);
        picture.setDevicePixelRatio(scale);
    }
    picture.fill(fill);
    return picture;
}

void TImage::NewBitmap(const QColor& fill) {
    fill_ = fill;
    picture_ = NewPicture(size(), fill);
    update();
}

void TImage::Rescale() {
    Logical<QWidget>::Rescale();
    if (picture_.isNull() || picture_.devicePixelRatio() == PixelScaleOf(this)) return;
    NewBitmap(fill_);
    if (OnRescaled) OnRescaled();
}

void TImage::CopyFrom(const QImage& picture) {
    if (picture_.size() == picture.size() && picture_.format() == picture.format() &&
        picture_.devicePixelRatio() == picture.devicePixelRatio() &&
        picture_.bytesPerLine() == picture.bytesPerLine()) {
        std::memcpy(picture_.bits(), picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
    } else {
        picture_ = picture.copy();
    }
    update();
}

void TImage::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QSize shown = picture_.deviceIndependentSize().toSize();
    if (picture_.isNull() || shown.width() < width() || shown.height() < height())
        p.fillRect(event->rect(), Qt::white);
    if (picture_.isNull()) return;
    if (picture_.devicePixelRatio() == 1)
        p.drawImage(event->rect().topLeft(), picture_, event->rect());
    else
        p.drawImage(QRectF(QWidget::rect()), picture_);
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(*this, *event);
    else
        QWidget::mousePressEvent(event);
}

}  // namespace velox::ui

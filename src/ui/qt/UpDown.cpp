#include "ui/qt/UpDown.h"

#include <algorithm>

#include <QLineEdit>
#include <QToolButton>

#include "editor/model/NumberText.h"

namespace velox::ui {

TUpDown::TUpDown(QWidget* parent, int min, int max, int position)
    : QWidget(parent), min_(min), max_(max), position_(std::clamp(position, min, max)) {
    setFocusPolicy(Qt::NoFocus);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setIconSize(QSize(7, 4));
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { ClickUp(); });
    connect(down_, &QToolButton::clicked, this, [this] { ClickDown(); });
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void TUpDown::SetAssociate(QLineEdit* edit) { associate_ = edit; }

void TUpDown::SetPosition(int position) {
    position_ = std::clamp(position, min_, max_);
    WriteAssociate();
}

void TUpDown::Step(int delta) {
    const int next = std::clamp(position_ + delta, min_, max_);
    if (next == position_) return;
    position_ = next;
    WriteAssociate();
}

void TUpDown::WriteAssociate() {
    if (!associate_) return;
    const QString text = QString::fromStdString(FormatInteger(position_));
    if (associate_->text() != text) associate_->setText(text);
}

}  // namespace velox::ui

#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "Numbers.h"

namespace {
// Room around the arrows for the focus frame.
constexpr int FocusMargin = 2;

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    return button;
}
} // namespace

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum),
      up_(arrowButton(Qt::UpArrow, this)), down_(arrowButton(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::TabFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(FocusMargin, FocusMargin, FocusMargin, FocusMargin);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

int UpDown::boxValue() const {
    const double number = Numbers::roundHalfEven(Numbers::leadingNumber(buddy_->text()));
    return static_cast<int>(std::clamp<double>(number, minimum_, maximum_));
}

void UpDown::stepBy(int steps) {
    const int before = boxValue();
    const int after = std::clamp(before + steps, minimum_, maximum_);
    if (after == before && buddy_->text() == QString::number(before))
        return;
    buddy_->setText(QString::number(after));
    if (after != before)
        emit Change(after);
}

// Page Up and Page Down are left alone: the up-down has only steps of 1.
void UpDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        break;
    case Qt::Key_Down:
        stepBy(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The arrows cover the rest, so the focus shows as a frame in the margin around them.
void UpDown::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
}

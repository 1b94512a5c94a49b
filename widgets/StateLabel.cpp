#include "StateLabel.h"

#include <QPainter>
#include <QStyle>

const StateLabel::LaidOutText& StateLabel::laidOut() {
    for (const LaidOutText& kept : laidOut_) {
        if (kept.layout && kept.text == text() && kept.font == font())
            return kept;
    }
    LaidOutText& fresh = laidOut_[nextToReplace_];
    nextToReplace_ = (nextToReplace_ + 1) % laidOut_.size();
    fresh.text = text();
    fresh.font = font();
    fresh.layout = std::make_unique<QTextLayout>(fresh.text, fresh.font);
    fresh.layout->setCacheEnabled(true);
    fresh.layout->beginLayout();
    QTextLine line = fresh.layout->createLine();
    fresh.layout->endLayout();
    // Aligned by its advance, as a label aligns it: a last letter's overhang does not count.
    fresh.advance = line.horizontalAdvance();
    fresh.height = line.height();
    return fresh;
}

// The place and pen the style gives an enabled label's plain text; everything else (rich
// text, a disabled label, a margin or an indent) is painted by the label itself.
void StateLabel::paintEvent(QPaintEvent* event) {
    if (!isEnabled() || textFormat() == Qt::RichText || margin() != 0 || indent() > 0 ||
        frameWidth() != 0 || text().isEmpty() || text().contains(QLatin1Char('\n'))) {
        QLabel::paintEvent(event);
        return;
    }
    const LaidOutText& shown = laidOut();
    const QRect area = contentsRect();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = area.left();
    if (align & Qt::AlignRight)
        x = area.right() + 1 - shown.advance;
    else if (align & Qt::AlignHCenter)
        x = area.left() + (area.width() - shown.advance) / 2;
    qreal y = area.top();
    if (align & Qt::AlignBottom)
        y = area.bottom() + 1 - shown.height;
    else if (align & Qt::AlignVCenter)
        y = area.top() + (area.height() - shown.height) / 2;
    QPainter painter(this);
    painter.setPen(QPen(palette().brush(foregroundRole()), 1));
    shown.layout->draw(&painter, QPointF(x, y));
}

#include "StateLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

const StateLabel::LaidOutText& StateLabel::laidOut() {
    for (const LaidOutText& kept : laidOut_) {
        if (kept.text == text() && kept.font == font() && !kept.text.isNull())
            return kept;
    }
    LaidOutText& fresh = laidOut_[nextToReplace_];
    nextToReplace_ = (nextToReplace_ + 1) % laidOut_.size();
    fresh.text = text();
    fresh.font = font();
    fresh.glyphs.setTextFormat(Qt::PlainText);
    fresh.glyphs.setText(fresh.text);
    fresh.glyphs.prepare(QTransform(), fresh.font);
    // Aligned by its advance, as a label aligns it: a last letter's overhang does not count.
    fresh.width = QFontMetricsF(fresh.font).horizontalAdvance(fresh.text);
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
    const qreal height = shown.glyphs.size().height();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = area.left();
    if (align & Qt::AlignRight)
        x = area.right() + 1 - shown.width;
    else if (align & Qt::AlignHCenter)
        x = area.left() + (area.width() - shown.width) / 2;
    qreal y = area.top();
    if (align & Qt::AlignBottom)
        y = area.bottom() + 1 - height;
    else if (align & Qt::AlignVCenter)
        y = area.top() + (area.height() - height) / 2;
    QPainter painter(this);
    painter.setFont(shown.font);
    painter.setPen(QPen(palette().brush(foregroundRole()), 1));
    painter.drawStaticText(QPointF(x, y), shown.glyphs);
}

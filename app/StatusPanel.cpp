#include "StatusPanel.h"

#include <QMouseEvent>

StatusPanel::StatusPanel(const QString& key, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(key);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setContentsMargins(4, 0, 4, 0);
}

void StatusPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

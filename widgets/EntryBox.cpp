#include "EntryBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {}

bool EntryBox::movedWithinWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!movedWithinWindow(event->reason()))
        return;
    holdingFocus_ = true;
    emit focusReceived();
}

// A box that never saw its own focus arrive (the focus was taken back before it got here)
// has nothing to validate.
void EntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!movedWithinWindow(event->reason()) || !holdingFocus_)
        return;
    holdingFocus_ = false;
    if (isVisible() && isEnabled())
        emit leaving();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit enterPressed();
        return;
    case Qt::Key_Escape:
        event->accept();
        emit escapePressed();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        emit stepPressed(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    default:
        if (!event->text().isEmpty())
            emit otherKeyTyped();
        QLineEdit::keyPressEvent(event);
    }
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

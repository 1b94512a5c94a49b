#include "RepaintPacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

RepaintPacer::RepaintPacer(QWidget* window, int intervalMs)
    : QObject(window), window_(window), intervalMs_(intervalMs) {
    held_.setSingleShot(true);
    connect(&held_, &QTimer::timeout, this, &RepaintPacer::repaintNow);
    window_->installEventFilter(this);
    watchInput();
}

// Input reaches the native window before any widget, so the pacer hears of it there.
void RepaintPacer::watchInput() {
    QWindow* handle = window_->windowHandle();
    if (!handle || handle == input_)
        return;
    if (input_)
        input_->removeEventFilter(this);
    input_ = handle;
    input_->installEventFilter(this);
}

bool RepaintPacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input_) {
        // What the user does shows at once: a held paint goes out once the input is handled.
        if (event->isInputEvent()) {
            inputSincePaint_ = true;
            if (held_.isActive())
                held_.start(0);
        }
        return false;
    }
    if (watched != window_)
        return false;
    if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show)
        watchInput();
    if (event->type() != QEvent::UpdateRequest)
        return false;
    return holdRepaint();
}

// An update request held back keeps the window's own "request sent" mark, so the window asks
// for no other until the pacer delivers this one.
// A request that is already due is held too: the next byte on the wire sends it, and the
// timer, a whole interval on, only when the line is quiet.
bool RepaintPacer::holdRepaint() {
    if (repainting_ || inputSincePaint_) {
        inputSincePaint_ = false;
        sincePaint_.start();
        return false;
    }
    if (!held_.isActive())
        held_.start(due() ? intervalMs_ : static_cast<int>(intervalMs_ - sincePaint_.elapsed()));
    return true;
}

bool RepaintPacer::due() const {
    return !sincePaint_.isValid() || sincePaint_.elapsed() >= intervalMs_;
}

void RepaintPacer::paintIfDue() {
    if (held_.isActive() && !inputSincePaint_ && due()) {
        held_.stop();
        repaintNow();
    }
}

void RepaintPacer::repaintNow() {
    QEvent request(QEvent::UpdateRequest);
    repainting_ = true;
    QCoreApplication::sendEvent(window_, &request);
    repainting_ = false;
    sincePaint_.start();
    inputSincePaint_ = false;
}

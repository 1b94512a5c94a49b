#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;
class QWindow;

// Paints a top-level window at most once per interval, unless the user has just typed or
// pointed. A machine window changes one value after another, each in its own turn of the event
// loop, and without this each change paints the window again: far more often than the eye
// follows, and every paint is time the next read of the line waits for. A held paint goes out
// from paintIfDue(), which the link calls while a byte is on the wire, so it costs the refresh
// nothing; when the line is quiet, a timer sends it. It is never lost: the window keeps
// collecting what changed and paints it all at once.
class RepaintPacer final : public QObject {
public:
    static constexpr int DefaultIntervalMs = 40;

    explicit RepaintPacer(QWidget* window, int intervalMs = DefaultIntervalMs);

    // Sends a held paint whose interval is up.
    void paintIfDue();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool holdRepaint();
    bool due() const;
    void repaintNow();
    void watchInput();

    QWidget* window_;
    QPointer<QWindow> input_;
    int intervalMs_;
    QElapsedTimer sincePaint_;
    QTimer held_;
    bool inputSincePaint_ = true;
    bool repainting_ = false;
};

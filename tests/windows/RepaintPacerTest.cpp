#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include "RepaintPacer.h"

namespace {

class CountedPaints final : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct PacedWindow {
    explicit PacedWindow(int intervalMs) {
        window.resize(200, 100);
        child->setGeometry(10, 10, 50, 20);
        new RepaintPacer(&window, intervalMs);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        settle();
    }
    // Changes the child and lets the event loop turn a few times.
    int paintsAfterChange() {
        const int before = child->paints;
        child->update();
        settle();
        return child->paints - before;
    }
    static void settle() {
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
    }
    QWidget window;
    CountedPaints* child = new CountedPaints(&window);
};

// One paint per interval: the first change paints, the next ones wait; input lets them out.
TEST(RepaintPacer, HoldsPaintsWithinTheIntervalAndLetsThemOutOnInput) {
    PacedWindow paced(60'000);
    EXPECT_EQ(paced.paintsAfterChange(), 1);
    EXPECT_EQ(paced.paintsAfterChange(), 0);
    EXPECT_EQ(paced.paintsAfterChange(), 0);
    const int held = paced.child->paints;
    QTest::keyPress(paced.window.windowHandle(), Qt::Key_A);
    PacedWindow::settle();
    EXPECT_EQ(paced.child->paints, held + 1) << "the held changes go out in one paint";
    EXPECT_EQ(paced.paintsAfterChange(), 0) << "then the pace holds again";
}

// A held paint is never lost: it goes out when the interval is up.
TEST(RepaintPacer, AHeldPaintGoesOutWhenTheIntervalIsUp) {
    PacedWindow paced(50);
    paced.paintsAfterChange();
    const int before = paced.child->paints;
    paced.child->update();
    QTRY_VERIFY_WITH_TIMEOUT(paced.child->paints > before, 5000);
}

} // namespace

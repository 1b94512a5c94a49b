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

// A shown window paced at `intervalMs`, with the user just having acted, so the next change
// paints at once.
struct Paced {
    explicit Paced(int intervalMs) : pacer(new RepaintPacer(&window, intervalMs)) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        userActs(); // lets out whatever showing the window left held
        userActs();
    }
    void userActs() {
        QTest::keyPress(window.windowHandle(), Qt::Key_A);
        settle();
    }
    int paintsAfter(const std::function<void()>& act) {
        const int before = child->paints;
        act();
        settle();
        return child->paints - before;
    }
    void change() { child->update(); }
    static void settle() {
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
    }
    QWidget window;
    CountedPaints* child = new CountedPaints(&window);
    RepaintPacer* pacer;
};

// After input a change paints at once; then changes wait for the interval, whoever asks,
// until the user acts again, which lets them out in one paint.
TEST(RepaintPacer, HoldsChangesWithinTheIntervalTheUserLetsThemOut) {
    Paced paced(60'000);
    EXPECT_EQ(paced.paintsAfter([&] { paced.change(); }), 1);
    EXPECT_EQ(paced.paintsAfter([&] { paced.change(), paced.change(), paced.pacer->paintIfDue(); }),
              0);
    EXPECT_EQ(paced.paintsAfter([&] { paced.userActs(); }), 1);
    EXPECT_EQ(paced.paintsAfter([&] { paced.change(); }), 0) << "after input the pace holds again";
}

// A change that is due waits for the link's call from the wire, or for the timer.
TEST(RepaintPacer, ADueChangeGoesOutFromTheWireOrByTheTimer) {
    Paced paced(500);
    EXPECT_EQ(paced.paintsAfter([&] { paced.change(); }), 1);
    QTest::qWait(600);
    EXPECT_EQ(paced.paintsAfter([&] { paced.change(); }), 0);
    EXPECT_EQ(paced.paintsAfter([&] { paced.pacer->paintIfDue(); }), 1);
    const int painted = paced.child->paints;
    paced.change();
    QTRY_COMPARE_WITH_TIMEOUT(paced.child->paints, painted + 1, 5000);
}

} // namespace

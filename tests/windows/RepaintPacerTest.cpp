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

// The first change paints and the next ones wait, for the interval or for input; either lets
// them out in one paint.
TEST(RepaintPacer, HoldsPaintsWithinTheIntervalUntilItIsUpOrTheUserActs) {
    for (const int intervalMs : {60'000, 50}) {
        QWidget window;
        auto* child = new CountedPaints(&window);
        new RepaintPacer(&window, intervalMs);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const auto settle = [] {
            for (int turn = 0; turn < 3; ++turn)
                QCoreApplication::processEvents();
        };
        const auto userActs = [&] {
            QTest::keyPress(window.windowHandle(), Qt::Key_A);
            settle();
        };
        const auto paintsAfterChange = [&] {
            const int before = child->paints;
            child->update();
            settle();
            return child->paints - before;
        };
        userActs(); // lets out whatever showing the window left held
        userActs(); // and the next paint goes out at once
        EXPECT_EQ(paintsAfterChange(), 1);
        const int held = child->paints;
        if (intervalMs > 1000) {
            EXPECT_EQ(paintsAfterChange() + paintsAfterChange(), 0);
            userActs();
            EXPECT_EQ(child->paints, held + 1);
            EXPECT_EQ(paintsAfterChange(), 0) << "after input the pace holds again";
        } else {
            child->update();
            QTRY_COMPARE_WITH_TIMEOUT(child->paints, held + 1, 5000);
        }
    }
}

// Paced by the link: a due paint waits for the link's call from the wire, or for the timer.
TEST(RepaintPacer, OnTheWireADuePaintGoesOutFromTheLinksCallOrTheTimer) {
    QWidget window;
    auto* child = new CountedPaints(&window);
    auto* pacer = new RepaintPacer(&window, 500);
    pacer->paintOnTheWire(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    child->update(); // the first paint goes out at once, as after input
    QTest::qWait(600);
    const int before = child->paints;
    child->update();
    QCoreApplication::processEvents();
    EXPECT_EQ(child->paints, before);
    pacer->paintIfDue();
    EXPECT_EQ(child->paints, before + 1);
    child->update();
    QCoreApplication::processEvents();
    pacer->paintIfDue();
    EXPECT_EQ(child->paints, before + 1) << "not due yet";
    QTRY_COMPARE_WITH_TIMEOUT(child->paints, before + 2, 5000);
}

} // namespace

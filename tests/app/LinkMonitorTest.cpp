#include <QCheckBox>
#include <QLabel>
#include <QTableView>

#include "MainWindowFixture.h"
#include "Vorna7Version.h"
#include "frmLinkMonitor.h"

namespace {

class LinkMonitorWindow : public MainWindowFixture {
protected:
    void SetUp() override {
        start();
        window->setWantedMode(true);
        ASSERT_TRUE(link.OnlineMode);
        trigger("mnuViewLinkMonitor");
        monitor = window->linkMonitor();
        ASSERT_NE(monitor, nullptr);
        grid = monitor->findChild<QTableView*>(QStringLiteral("grdExchanges"));
    }
    // Column `column` of every row the window shows.
    QStringList shown(int column) const {
        monitor->model().showWaiting();
        QStringList cells;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            cells.append(grid->model()->index(row, column).data().toString());
        return cells;
    }

    frmLinkMonitor* monitor = nullptr;
    QTableView* grid = nullptr;
};

TEST_F(LinkMonitorWindow, ASpoiltEchoIsAFailureRowPauseHoldsRowsBackAndClosingUnwatches) {
    link.RSRead(QStringLiteral("W182"));
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::next(1));
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("360"));
    link.RSRead(QStringLiteral("W182"));
    child<QCheckBox>(monitor, "chkFailuresOnly")->click();
    EXPECT_EQ(shown(LinkMonitorModel::Operation), QStringList({"write W1024 = 360"}));
    // The board, still inside the spoilt sequence, echoes the handshake's first attention bytes.
    EXPECT_EQ(shown(LinkMonitorModel::Outcome), QStringList({"echo repeated, handshake repeated"}));

    // Saved as shown: the header, then the one failure row.
    const QString path = folder.path() + QStringLiteral("/monitor.txt");
    dialogs.choose(path);
    child<QPushButton>(monitor, "cmdSaveAs")->click();
    QStringList lines = QString::fromLatin1(folder.read(QStringLiteral("monitor.txt")))
                            .split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 9);
    lines[7] = lines[7].section(u'\t', 1); // after the time
    EXPECT_EQ(
        lines,
        QStringList({"VORNA7 Link Monitor", "Port: 1", "Speed: 9600", "Date: 3/14/2024 2:05:07 PM",
                     "Program version: " VORNA7_VERSION_TEXT, "Dropped before the first line: 0",
                     "time\tfailed\toperation\tsent\treceived\toutcome",
                     "!\twrite W1024 = 360\t> FF 02 04 FF FF FF 02 04 00 68 04 01 "
                     "01\t< 55 55 FB FF FF 55 55 04 00 68 04 01 01\techo repeated, "
                     "handshake repeated",
                     ""}));

    // What pausing holds back is the model's; here the button and the count shown.
    child<QCheckBox>(monitor, "chkFailuresOnly")->click(); // every row again
    child<QPushButton>(monitor, "cmdPause")->click();
    link.RSRead(QStringLiteral("W184"));
    link.RSRead(QStringLiteral("W186"));
    EXPECT_EQ(shown(LinkMonitorModel::Operation).size(), 3);
    EXPECT_EQ(child<QLabel>(monitor, "lblHeldBack")->text(), "Held back: 2");
    child<QPushButton>(monitor, "cmdPause")->click();
    EXPECT_EQ(shown(LinkMonitorModel::Operation).size(), 5);

    // The window keeps the last 20,000 exchanges.
    for (int k = 0; k < 20'000; ++k)
        monitor->model().exchangeDone(LinkExchange{});
    monitor->model().showWaiting();
    EXPECT_EQ(monitor->model().rowCount(), 20'000);
    EXPECT_EQ(monitor->model().dropped(), 5);

    // Closed, the monitor leaves the link unwatched.
    EXPECT_NE(link.observer(), nullptr);
    monitor->parentWidget()->close();
    settle();
    EXPECT_EQ(link.observer(), nullptr);
}

} // namespace

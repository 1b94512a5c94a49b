#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

#include "MessageBoxPrompter.h"

// One box on screen: its title, text, icon and buttons are read while it is open, then a
// button is clicked.
TEST(MessageBoxPrompter, ShowsTheBoxAnswersWithTheButtonsCodesAndLineBreaksShowAsLines) {
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + '|' + box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Retry | QMessageBox::Cancel);
        box->button(QMessageBox::Retry)->click();
    });
    MessageBoxPrompter prompter;
    EXPECT_EQ(prompter.ask(QStringLiteral("WARNING - Communication Error!"),
                           QStringLiteral("Cannot Communicate with Target Board.\rVerify"),
                           Prompter::Icon::Critical, Prompter::Buttons::RetryCancel),
              Prompter::Retry);
    EXPECT_EQ(shown, QStringLiteral("WARNING - Communication Error!|Cannot Communicate with Target "
                                    "Board.\nVerify"));

    // Escape on a Yes/No question answers No.
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    EXPECT_EQ(prompter.ask(QStringLiteral("Data Upload"), QStringLiteral("Continue?"),
                           Prompter::Icon::Question, Prompter::Buttons::YesNo),
              7);

    // Each button set and the code each of its buttons answers with (1 OK, 2 Cancel, 3 Abort,
    // 4 Retry, 5 Ignore, 6 Yes, 7 No).
    using B = Prompter::Buttons;
    using Q = QMessageBox;
    const std::pair<B, std::vector<std::pair<Q::StandardButton, int>>> cases[] = {
        {B::OK, {{Q::Ok, 1}}},
        {B::OKCancel, {{Q::Ok, 1}, {Q::Cancel, 2}}},
        {B::RetryCancel, {{Q::Retry, 4}, {Q::Cancel, 2}}},
        {B::YesNo, {{Q::Yes, 6}, {Q::No, 7}}},
        {B::YesNoCancel, {{Q::Yes, 6}, {Q::No, 7}, {Q::Cancel, 2}}},
        {B::AbortRetryIgnore, {{Q::Abort, 3}, {Q::Retry, 4}, {Q::Ignore, 5}}}};
    for (const auto& [buttons, answers] : cases) {
        Q::StandardButtons set;
        for (const auto& [button, code] : answers) {
            set |= button;
            EXPECT_EQ(MessageBoxPrompter::answerCode(button, buttons), code) << button;
        }
        EXPECT_EQ(MessageBoxPrompter::boxButtons(buttons), set);
    }
    // A box closed without a button answers the safe way out.
    const std::pair<B, int> closed[] = {
        {B::YesNoCancel, 2}, {B::RetryCancel, 2}, {B::YesNo, 7}, {B::OK, 1}};
    for (const auto& [buttons, answer] : closed)
        EXPECT_EQ(MessageBoxPrompter::answerCode(QMessageBox::NoButton, buttons), answer);
    // Line breaks of either kind show as lines.
    EXPECT_EQ(MessageBoxPrompter::displayText(QStringLiteral("a\r\nb\rc\n\r\nd")),
              QStringLiteral("a\nb\nc\n\nd"));
}

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "CaseName.h"
#include "MessageBoxPrompter.h"

namespace {

struct ButtonCase {
    const char* name;
    Prompter::Buttons buttons;
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton clicked;
    int answer;
};

VORNA7_PRINTS_ROW_NAME(ButtonCase)

class MessageBoxButtons : public ::testing::TestWithParam<ButtonCase> {};

// The box on screen: its title, text, icon and buttons are read while it is open, then the
// chosen button is clicked.
TEST_P(MessageBoxButtons, ShowsTheButtonSetAndAnswersWithTheClickedButtonsCode) {
    const ButtonCase& c = GetParam();
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        shown = box->standardButtons();
        box->button(c.clicked)->click();
    });
    MessageBoxPrompter prompter;
    const int answer = prompter.ask(QStringLiteral("WARNING - Communication Error!"),
                                    QStringLiteral("Cannot Communicate with Target Board.\rVerify"),
                                    Prompter::Icon::Critical, c.buttons);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(title, QStringLiteral("WARNING - Communication Error!"));
    EXPECT_EQ(text, QStringLiteral("Cannot Communicate with Target Board.\nVerify"));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

INSTANTIATE_TEST_SUITE_P(
    AllSets, MessageBoxButtons,
    ::testing::Values(ButtonCase{"OK", Prompter::Buttons::OK, QMessageBox::Ok, QMessageBox::Ok, 1},
                      ButtonCase{"OKCancelCancel", Prompter::Buttons::OKCancel,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, 2},
                      ButtonCase{"RetryCancelRetry", Prompter::Buttons::RetryCancel,
                                 QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry, 4},
                      ButtonCase{"YesNoYes", Prompter::Buttons::YesNo,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, 6},
                      ButtonCase{"YesNoNo", Prompter::Buttons::YesNo,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No, 7},
                      ButtonCase{"YesNoCancelCancel", Prompter::Buttons::YesNoCancel,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Cancel, 2},
                      ButtonCase{"AbortRetryIgnoreIgnore", Prompter::Buttons::AbortRetryIgnore,
                                 QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                                 QMessageBox::Ignore, 5}),
    CaseName());

TEST(MessageBoxPrompter, ABoxClosedWithoutAButtonAnswersTheSafeWayOut) {
    using B = Prompter::Buttons;
    const std::pair<B, int> cases[] = {
        {B::YesNoCancel, 2}, {B::RetryCancel, 2}, {B::YesNo, 7}, {B::OK, 1}};
    for (const auto& [buttons, answer] : cases)
        EXPECT_EQ(MessageBoxPrompter::answerCode(QMessageBox::NoButton, buttons), answer);
}

TEST(MessageBoxPrompter, EscapeOnAYesNoQuestionAnswersNo) {
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
    });
    MessageBoxPrompter prompter;
    EXPECT_EQ(prompter.ask(QStringLiteral("Data Upload"), QStringLiteral("Continue?"),
                           Prompter::Icon::Question, Prompter::Buttons::YesNo),
              7);
}

TEST(MessageBoxPrompter, LineBreaksOfEitherKindShowAsLines) {
    EXPECT_EQ(MessageBoxPrompter::displayText(QStringLiteral("a\r\nb\rc\n\r\nd")),
              QStringLiteral("a\nb\nc\n\nd"));
}

} // namespace

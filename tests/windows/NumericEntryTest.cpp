#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "EntryBox.h"
#include "MessageBoxPrompter.h"
#include "NumericEntry.h"
#include "ScriptedPrompter.h"
#include "UpDown.h"

namespace {

// A window holding one entry pair, a next box to move on to, and the focus-parking button.
class NumericEntryTest : public ::testing::Test {
protected:
    void build(int minimum = 0, int maximum = 359, NumericEntry::Options options = {}) {
        host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host.get());
        cmdDefault = new QPushButton(QStringLiteral("-"), host.get());
        entry =
            new NumericEntry(QStringLiteral("txtBMSetup"), QStringLiteral("updBMSetup"), 3, minimum,
                             maximum, EscPending, *messages, cmdDefault, host.get(), options);
        next = new QLineEdit(host.get());
        for (QWidget* w :
             {static_cast<QWidget*>(entry->box()), static_cast<QWidget*>(entry->upDown()),
              static_cast<QWidget*>(next), static_cast<QWidget*>(cmdDefault)})
            layout->addWidget(w);
        QWidget::setTabOrder(entry->box(), next);
        QWidget::setTabOrder(next, cmdDefault);
        QObject::connect(entry, &NumericEntry::accepted,
                         [this] { events << QStringLiteral("accepted ") + entry->box()->text(); });
        QObject::connect(entry, &NumericEntry::abandoning, [this] {
            events << QStringLiteral("abandoning, focus on box: ") +
                          (entry->box()->hasFocus() ? "yes" : "no");
        });
        QObject::connect(entry, &NumericEntry::upDownChanged,
                         [this] { events << QStringLiteral("up-down ") + entry->box()->text(); });
        host->show();
        QApplication::setActiveWindow(host.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
        next->setFocus(Qt::OtherFocusReason);
        events.clear();
    }
    // Puts text in the box, then gives it the focus the way the user would.
    void focusWith(const QString& text) {
        box()->setText(text);
        box()->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(box()->hasFocus());
    }
    // Found the way the windows' tests find their controls: by name and index.
    EntryBox* box() const { return host->findChild<EntryBox*>(QStringLiteral("txtBMSetup(3)")); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    ScriptedPrompter prompter;
    Prompter* messages = &prompter;
    bool EscPending = false;
    std::unique_ptr<QWidget> host;
    QPushButton* cmdDefault = nullptr;
    NumericEntry* entry = nullptr;
    QLineEdit* next = nullptr;
    QStringList events;
};

// The first Escape restores, the second abandons the edit; any other key in between starts over.
// Enter is swallowed and moves on like Tab, or where the window says.
TEST_F(NumericEntryTest, EnterMovesOnEscapeRestoresOnceThenAbandonsAndOnlyLeavingChecks) {
    build();
    focusWith(QStringLiteral("12"));
    EscPending = true;
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(focused(), next);
    EXPECT_FALSE(EscPending);
    EXPECT_EQ(box()->text(), "12");
    EXPECT_EQ(events, QStringList{"accepted 12"});

    NumericEntry::Options toButton;
    toButton.enterTarget = cmdDefault;
    auto* other = new NumericEntry(QStringLiteral("txtTmg"), QStringLiteral("updTmg"), 0, -359, 359,
                                   EscPending, prompter, cmdDefault, host.get(), toButton);
    other->box()->show();
    other->box()->setText(QStringLiteral("5"));
    other->box()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(other->box(), Qt::Key_Enter);
    EXPECT_EQ(focused(), cmdDefault);
    events.clear();
    focusWith(QStringLiteral("100"));
    QTest::keyClicks(box(), QStringLiteral("250"));
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_EQ(box()->text(), "100");
    EXPECT_TRUE(EscPending);
    EXPECT_EQ(box()->selectedText(), "100");
    QTest::keyClick(box(), Qt::Key_5);
    EXPECT_FALSE(EscPending);
    EXPECT_EQ(box()->text(), "5");
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_EQ(box()->text(), "100");
    EXPECT_EQ(focused(), box());
    EXPECT_TRUE(events.isEmpty());

    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_FALSE(EscPending);
    EXPECT_EQ(focused(), cmdDefault);
    // The edit is abandoned before the focus leaves; leaving validates the old value.
    EXPECT_EQ(events, QStringList({"abandoning, focus on box: yes", "accepted 100"}));

    // Another window or a menu taking the focus is not a leave, and a disabled box is not checked.
    events.clear();
    focusWith(QStringLiteral("100"));
    box()->setText(QStringLiteral("999"));
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(box(), &away);
    }
    entry->setEnabled(false);
    EXPECT_FALSE(entry->upDown()->isEnabled());
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(NumericEntryTest, FocusTakesTheWholeNumberAndLeavingChecksTheRange) {
    // The focus arriving, or a click in the box, takes the whole number and selects the text.
    const struct {
        const char* text;
        int editValue;
    } taken[] = {{"12.5", 12}, {"  7abc", 7}}; // how a text is read: Numbers
    for (const auto& c : taken) {
        build(-1000, 1000);
        EscPending = true;
        focusWith(QLatin1String(c.text));
        EXPECT_EQ(entry->EditValue, c.editValue) << c.text;
        EXPECT_FALSE(EscPending) << c.text;
        EXPECT_EQ(box()->selectedText(), QLatin1String(c.text));
    }
    box()->deselect();
    box()->setText(QStringLiteral("45"));
    EscPending = true;
    QTest::mouseClick(box(), Qt::LeftButton);
    EXPECT_EQ(box()->selectedText(), "45");
    EXPECT_EQ(entry->EditValue, 45);
    EXPECT_FALSE(EscPending);

    // A rejected entry stays in the box while the message is shown; then the old value comes
    // back, selected, with the focus.
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {{"359", true},  {"0", true},   {"12.4", true},
                 {"360", false}, {"-1", false}, {"abc", false}}; // what is a number: Numbers
    build(0, 359);
    QString behindMessage;
    prompter.onAsk([&](const ScriptedPrompter::Message&) { behindMessage = box()->text(); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        next->setFocus();
        prompter.clear();
        events.clear();
        focusWith(QStringLiteral("100"));
        box()->setText(QLatin1String(c.typed));
        EscPending = true;
        QTest::keyClick(box(), Qt::Key_Tab);
        EXPECT_FALSE(EscPending);
        if (c.accepted) {
            EXPECT_EQ(prompter.count(), 0);
            EXPECT_EQ(focused(), next);
            EXPECT_EQ(events, QStringList{QStringLiteral("accepted ") + QLatin1String(c.typed)});
            continue;
        }
        ASSERT_EQ(prompter.count(), 1);
        EXPECT_EQ(prompter.last().title, "Set-up");
        EXPECT_EQ(prompter.last().text, "Only a Number Between 0 and 359 can be Entered");
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
        EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
        EXPECT_EQ(behindMessage, QLatin1String(c.typed));
        EXPECT_EQ(focused(), box());
        EXPECT_EQ(box()->text(), "100");
        EXPECT_EQ(box()->selectedText(), "100");
        EXPECT_TRUE(events.isEmpty());
    }
}

// With a real message box the window is deactivated and activated again around the message;
// the focus must still come back to the rejected box, and nothing else may be validated.
TEST_F(NumericEntryTest, OnScreenTheRejectedBoxHasTheFocusWhenTheMessageCloses) {
    MessageBoxPrompter onScreen;
    messages = &onScreen;
    build(0, 359);
    // The box the user is moving to is an entry box too: it must not be entered or checked.
    auto* following = new NumericEntry(QStringLiteral("txtBMSetup"), QStringLiteral("updBMSetup"),
                                       4, 0, 999, EscPending, onScreen, cmdDefault, host.get());
    following->box()->setText(QStringLiteral("7"));
    following->box()->show();
    QWidget::setTabOrder(box(), following->box());
    QObject::connect(following, &NumericEntry::focusReceived, [this] { events << "entered 4"; });
    QObject::connect(following, &NumericEntry::accepted, [this] { events << "accepted 4"; });
    focusWith(QStringLiteral("100"));
    box()->setText(QStringLiteral("500"));
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(message, nullptr);
        shown = message->text();
        message->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(box(), Qt::Key_Tab);
    QApplication::setActiveWindow(host.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    EXPECT_EQ(shown, "Only a Number Between 0 and 359 can be Entered");
    EXPECT_EQ(focused(), box());
    EXPECT_EQ(box()->text(), "100");
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(NumericEntryTest, UpAndDownStepWithinTheRangeWhichIsTheUpDownsWhenChecking) {
    build(0, 3);
    auto* upDown = host->findChild<UpDown*>(QStringLiteral("updBMSetup(3)"));
    ASSERT_NE(upDown, nullptr);
    ASSERT_EQ(upDown->buddy(), box());
    const struct {
        const char* before;
        int steps;
        const char* after;
        bool changed;
    } cases[] = {{"1", 1, "2", true}, {"3", 1, "3", false}, {"0", -1, "0", false},
                 {"-", 1, "1", true}, {"7", -1, "2", true}, {"2.5", 1, "3", true}};
    for (const auto& c : cases) {
        events.clear();
        box()->setText(QLatin1String(c.before));
        upDown->setFocus(Qt::TabFocusReason);
        QTest::keyClick(upDown, c.steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(box()->text(), QLatin1String(c.after)) << c.before;
        EXPECT_EQ(events.size(), c.changed ? 1 : 0) << c.before;
    }

    // The range is the up-down's when checking; some boxes take a title of their own, and some
    // check once more after the focus has left.
    NumericEntry::Options options;
    options.messageTitle = QStringLiteral("Resolver Offset");
    options.validateAgainAfterLeaving = true;
    build(0, 359, options);
    entry->upDown()->setRange(-180, 180);
    focusWith(QStringLiteral("0"));
    box()->setText(QStringLiteral("-200"));
    QTest::keyClick(box(), Qt::Key_Tab);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "Resolver Offset");
    EXPECT_EQ(prompter.last().text, "Only a Number Between -180 and 180 can be Entered");
    box()->setText(QStringLiteral("170"));
    QTest::keyClick(box(), Qt::Key_Tab);
    EXPECT_EQ(events, QStringList({"accepted 170", "accepted 170"}));
}

} // namespace

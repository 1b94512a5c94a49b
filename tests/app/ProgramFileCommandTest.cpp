#include <QFile>

// g++ 12 sees the scripted dialogs' optional answer as maybe uninitialised when inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "MainWindowFixture.h"
#include "ProgramFileCommand.h"

TEST_F(MainWindowFixture, DownloadProgramGoesOnlineChoosesConfirmsAndLoadsTheBoard) {
    ProgramFileCommand command{link, prompter, dialogs};
    MainWindowCommands commands;
    commands.downloadProgram = [&](frmMDIMain& m) { command.SelectProgramFile(m, 0); };
    start({0}, std::move(commands));
    const QString stem = folder.filePath(QStringLiteral("PUMP."));
    for (const auto& [ext, content] : {std::pair{"tkp", "2,project\r\n"},
                                       {"rev", "PROG0001:?05\r\n"},
                                       {"hex", ":0201F000AB1250\r\n:00000001FF\r\n"}}) {
        QFile file(stem + ext);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) > 0);
    }
    dialogs.choose(stem + "tkp");
    for (int i = 0; i < 3; ++i)
        prompter.answerNext(Prompter::Yes); // go online, download, detailed confirmation
    trigger("mnuFileDownloadProgram");
    QStringList shown; // the detailed confirmation is the link's: its title only
    for (const auto& m : prompter.messages())
        shown << m.title + ": " + (m.title.endsWith(']') ? QString() : m.text);
    EXPECT_EQ(shown.join('\n').toStdString(),
              "Program Offline: Program is Currently OFFLINE\r\n\r\nDo You Wish to Switch to "
              "ONLINE MODE to Continue?\nProgram Download: You are about to download \"PUMP.tkp\" "
              "to the K6686.\r\n\r\nDo you wish to continue?\nProgram Download - [PROG0001]: \n"
              "Program Download: Program Download Complete!");
    EXPECT_EQ(dialogs.requests().at(0).filter, QStringLiteral("Tekora Files(*.tkp)|*.tkp|"));
    EXPECT_EQ(panel(MainStatusBar::ModePanelNumber), QStringLiteral("ONLINE"));
    EXPECT_TRUE(window->backgroundUpdateEnabled());
}

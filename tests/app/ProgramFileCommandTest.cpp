#include "ProgramFileCommand.h"
#include "MainWindowFixture.h"

TEST_F(MainWindowFixture, ProgramsGoDownToTheBoardAndComeBackIntoTheirFilesAfterAQuestion) {
    ProgramFileCommand command{link, prompter, dialogs};
    MainWindowCommands commands;
    commands.downloadProgram = [&](frmMDIMain& m) { command.SelectProgramFile(m, 0); };
    commands.uploadProgram = [&](frmMDIMain& m) { command.UploadProgram(m); };
    start({0}, std::move(commands));
    // Each command goes online first, after asking. Upload asks before replacing the files,
    // then reads the board back.
    for (const char* name : {"PUMP.rev", "PUMP.hex", "PUMP.lcf"})
        ASSERT_TRUE(folder.write(name, "old"));
    ASSERT_TRUE(folder.write("PUMP.tkp", "7\r\n")); // a PLS board: no memory to read
    for (const int answer : {int(Prompter::Yes), int(Prompter::No), int(Prompter::Yes)})
        prompter.answerNext(answer); // go online; the first upload; the second
    dialogs.choose(folder.filePath("PUMP.tkp"));
    trigger("mnuFileUploadProgram");
    EXPECT_EQ(prompter.last().title + ": " + prompter.last().text,
              "Program Upload: You are about to upload the program in the K6686 into "
              "\"PUMP.tkp\".\r\nIts revision, configuration and HEX files will be replaced."
              "\r\n\r\nDo you wish to continue?");
    for (const char* name : {"PUMP.rev", "PUMP.hex", "PUMP.lcf"})
        EXPECT_EQ(folder.read(name), "old") << name;
    dialogs.choose(folder.filePath("PUMP.tkp"));
    trigger("mnuFileUploadProgram");
    EXPECT_EQ(prompter.last().text, QStringLiteral("Program Upload Complete!"));
    EXPECT_EQ(folder.read("PUMP.rev"), QByteArray("VORNA7\0\0:?05\r\n", 14));
    EXPECT_EQ(folder.read("PUMP.hex"), ":00000001FF\r\n");

    // Download goes online again and loads the board.
    trigger("mnuViewOffline");
    prompter.clear();
    ASSERT_TRUE(folder.write("PUMP.tkp", "2,project\r\n") &&
                folder.write("PUMP.rev", "PROG0001:?05\r\n") &&
                folder.write("PUMP.hex", ":0201F000AB1250\r\n:00000001FF\r\n"));
    dialogs.choose(folder.filePath("PUMP.tkp"));
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
    EXPECT_EQ(dialogs.requests().back().filter, QStringLiteral("Tekora Files(*.tkp)|*.tkp|"));
    EXPECT_EQ(panel(MainStatusBar::ModePanelNumber), QStringLiteral("ONLINE"));
    EXPECT_TRUE(window->backgroundUpdateEnabled());
}

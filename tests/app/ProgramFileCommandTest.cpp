#include <QFile>

// g++ 12 sees the scripted dialogs' optional answer as maybe uninitialised when inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "MainWindowFixture.h"
#include "ProgramFileCommand.h"

namespace {

class ProgramFileCommandTest : public MainWindowFixture {
protected:
    ProgramFileCommand command{link, prompter, dialogs};

    void startWithCommands() {
        MainWindowCommands commands;
        commands.downloadProgram = [this](frmMDIMain& m) { command.SelectProgramFile(m, 0); };
        commands.uploadProgram = [this](frmMDIMain& m) { command.UploadProgram(m); };
        start({0}, std::move(commands));
    }
    QString writeSet() {
        const QString stem = folder.filePath(QStringLiteral("PUMP."));
        const std::pair<const char*, QByteArray> files[] = {
            {"tkp", "2,project\r\n"},
            {"rev", "PROG0001:?05\r\n"},
            {"hex", ":0201F000AB1250\r\n:00000001FF\r\n"}};
        for (const auto& [ext, content] : files) {
            QFile file(stem + QLatin1String(ext));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        return stem + QStringLiteral("tkp");
    }
    QStringList titles() const {
        QStringList list;
        for (const auto& m : prompter.messages())
            list << m.title;
        return list;
    }
};

} // namespace

TEST_F(ProgramFileCommandTest, OfflineDownloadGoesOnlineChoosesConfirmsAndLoadsTheBoard) {
    startWithCommands();
    const QString program = writeSet();
    dialogs.choose(program);
    for (int i = 0; i < 3; ++i)
        prompter.answerNext(Prompter::Yes); // go online, download, detailed confirmation
    trigger("mnuFileDownloadProgram");
    EXPECT_EQ(titles(), (QStringList{"Program Offline", "Program Download",
                                     "Program Download - [PROG0001]", "Program Download"}));
    EXPECT_EQ(prompter.messages().at(1).text,
              QStringLiteral("You are about to download \"PUMP.tkp\" to the K6686.\r\n\r\n"
                             "Do you wish to continue?"));
    EXPECT_EQ(dialogs.requests().at(0).filter, QStringLiteral("Tekora Files(*.tkp)|*.tkp|"));
    EXPECT_EQ(panel(MainStatusBar::ModePanelNumber), QStringLiteral("ONLINE"));
    EXPECT_TRUE(window->backgroundUpdateEnabled());

    // Online now: the upload asks only its own question, from the file chosen last.
    dialogs.choose(program);
    prompter.answerNext(Prompter::Yes);
    trigger("mnuFileUploadProgram");
    EXPECT_EQ(dialogs.requests().at(1).initialName, program);
    QFile rev(folder.filePath(QStringLiteral("PUMP.rev")));
    ASSERT_TRUE(rev.open(QIODevice::ReadOnly));
    EXPECT_EQ(rev.readAll(), QByteArray("PROG0001:?05\r\n"));
}

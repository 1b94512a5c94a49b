#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "AppContext.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrompter.h"
#include "SdtFile.h"
#include "SetupFiles.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

class FileCommands : public ::testing::Test {
protected:
    FileCommands() : context(dir.path(), prompter), files(context, dialogs) {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        context.currentDateTime = [] { return QDateTime(QDate(2024, 3, 14), QTime(14, 5, 7)); };
        context.InitAlarmTables();
        context.InitSetupTables();
        files.FileNew();
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray contents(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void putRecord(const QString& name, const SetupData& data) const {
        put(name, SdtFile::encode(data).bytes);
    }
    // Opens a file of this program's version, answering no questions.
    void openFile(const QString& name) {
        dialogs.choose(path(name));
        ASSERT_TRUE(files.FileOpen());
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    AppContext context;
    SetupFiles files;
};

TEST_F(FileCommands, SaveChangesQuestionOnlyForTheComparedFields) {
    EXPECT_EQ(files.CheckSaveChanges(), 0);
    context.CurrentData.PLSScale = 100; // takes no part
    context.CurrentData.SpeedComp[2] = 5;
    context.CurrentData.ParamAdd[0] = QStringLiteral("W1");
    EXPECT_EQ(files.CheckSaveChanges(), 0);
    EXPECT_EQ(prompter.count(), 0);

    const std::function<void(SetupData&)> changes[] = {
        [](SetupData& d) { d.ParamValue[31] = 1; },
        [](SetupData& d) { d.ChanSetpoint[7][1] = 1; },
        [](SetupData& d) { d.Version = QStringLiteral("VORNA7_R0.9.0"); },
    };
    for (const auto& change : changes) {
        context.CurrentData = context.SavedData;
        change(context.CurrentData);
        prompter.answerNext(Prompter::No);
        EXPECT_EQ(files.CheckSaveChanges(), Prompter::No);
        const auto& asked = prompter.last();
        EXPECT_EQ(asked.title, QStringLiteral("VORNA7"));
        EXPECT_EQ(asked.text, QStringLiteral("Save Changes to File?"));
        EXPECT_EQ(asked.icon, Prompter::Icon::Exclamation);
        EXPECT_EQ(asked.buttons, Prompter::Buttons::YesNoCancel);
    }
}

TEST_F(FileCommands, SaveAfterNewAsksForANameThenSavesWithoutOne) {
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [unnamed]"));
    EXPECT_TRUE(context.TimingReload);
    context.CurrentData.ParamValue[1] = 360;
    dialogs.choose(path(QStringLiteral("LINE1.sdt")));
    ASSERT_TRUE(files.FileSave());
    ASSERT_EQ(dialogs.requests().size(), 1);
    EXPECT_TRUE(dialogs.requests()[0].save);
    EXPECT_EQ(dialogs.requests()[0].filter, QStringLiteral("Setup Files(*.sdt)|*.sdt|"));
    EXPECT_EQ(dialogs.requests()[0].initialName, QString());
    EXPECT_EQ(contents(QStringLiteral("LINE1.sdt")), SdtFile::encode(context.CurrentData).bytes);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [LINE1.sdt]"));
    EXPECT_FALSE(context.DataUntitled);
    EXPECT_EQ(context.SavedData, context.CurrentData);
    EXPECT_EQ(files.CheckSaveChanges(), 0);

    context.CurrentData.ParamValue[2] = 3;
    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(dialogs.requests().size(), 1); // no second dialog
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("LINE1.sdt"))).data->ParamValue[2], 3);
}

TEST_F(FileCommands, FailedSaveIsReportedAndChangesNothing) {
    putRecord(QStringLiteral("a.sdt"), context.CurrentData);
    openFile(QStringLiteral("a.sdt"));
    const QByteArray before = contents(QStringLiteral("a.sdt"));
    context.CurrentData.ParamValue[1] = 360;
    const SetupData saved = context.SavedData;

    const QString target = path(QStringLiteral("missing/b.sdt"));
    dialogs.choose(target);
    EXPECT_FALSE(files.FileSaveAs());
    ASSERT_EQ(prompter.count(), 1);
    const auto& shown = prompter.last();
    EXPECT_EQ(shown.title, QStringLiteral("VORNA7"));
    EXPECT_EQ(shown.icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(shown.buttons, Prompter::Buttons::OK);
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("The set-up data file \"") +
                                      QDir::toNativeSeparators(target) +
                                      QStringLiteral("\" could not be written:\r\n")));
    EXPECT_TRUE(shown.text.endsWith(CRLF + CRLF + QStringLiteral("The data has not been saved.")));
    // Still tied to the file the data came from.
    EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("a.sdt")));
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [a.sdt]"));
    EXPECT_EQ(context.SavedData, saved);
    EXPECT_EQ(contents(QStringLiteral("a.sdt")), before);
}

TEST_F(FileCommands, OpenLoadsAFileOfThisVersionWithoutAQuestion) {
    SetupData data = context.DefaultData;
    data.ParamValue[9] = 123456;
    data.ChanSetpoint[3][0] = 42;
    putRecord(QStringLiteral("LINE1.sdt"), data);
    openFile(QStringLiteral("LINE1.sdt"));

    ASSERT_EQ(dialogs.requests().size(), 1);
    EXPECT_FALSE(dialogs.requests()[0].save);
    EXPECT_EQ(dialogs.requests()[0].filter, QStringLiteral("Setup Files(*.sdt)|*.sdt|"));
    EXPECT_EQ(dialogs.requests()[0].initialName, path(QStringLiteral("*.sdt")));
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(context.CurrentData, data);
    EXPECT_EQ(context.SavedData, data);
    EXPECT_FALSE(context.DataUntitled);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [LINE1.sdt]"));
    EXPECT_EQ(context.gFileNameTitle, QStringLiteral("LINE1.sdt"));
    EXPECT_EQ(context.gUploadNOW, QStringLiteral("3/14/2024 2:05:07 PM"));
}

TEST_F(FileCommands, ShortAndLongTablesAreFittedToThirtyTwoEntries) {
    for (const std::size_t count : {20u, 40u}) {
        SetupData data = context.DefaultData;
        data.ParamAdd.resize(count);
        data.ParamValue.resize(count);
        std::vector<QString> fittedAdds(32); // missing entries are empty texts and zeros
        std::vector<std::int32_t> fittedValues(32);
        for (std::size_t i = 0; i < count; ++i) {
            data.ParamAdd[i] = QStringLiteral("W%1").arg(2000 + i);
            data.ParamValue[i] = std::int32_t(1000 + i);
            if (i < 32) {
                fittedAdds[i] = data.ParamAdd[i];
                fittedValues[i] = data.ParamValue[i];
            }
        }
        const QString name = QStringLiteral("t%1.sdt").arg(count);
        putRecord(name, data);
        openFile(name);
        EXPECT_EQ(context.CurrentData.ParamAdd, fittedAdds);
        EXPECT_EQ(context.CurrentData.ParamValue, fittedValues);
        EXPECT_EQ(context.CurrentData.ChanSetpoint, data.ChanSetpoint);
        EXPECT_EQ(context.SavedData, context.CurrentData);
    }
}

class OtherVersion : public FileCommands {
protected:
    OtherVersion() {
        putRecord(QStringLiteral("mine.sdt"), context.DefaultData);
        openFile(QStringLiteral("mine.sdt"));
        other = context.DefaultData;
        other.Version = QStringLiteral("VORNA7_R0.9.0");
        other.ParamValue[1] = 111;
        putRecord(QStringLiteral("OLD.sdt"), other);
        before = context.CurrentData;
        dialogs.choose(path(QStringLiteral("OLD.sdt")));
    }
    void expectQuestion(const ScriptedPrompter::Message& m) const {
        EXPECT_EQ(m.title, QStringLiteral("VORNA7"));
        EXPECT_EQ(m.text, QStringLiteral("File created by set-up program version: VORNA7_R0.9.0") +
                              CRLF + QStringLiteral("Data tables may not be properly aligned.") +
                              CRLF + CRLF + QStringLiteral("Do you wish to continue?"));
        EXPECT_EQ(m.icon, Prompter::Icon::Information);
        EXPECT_EQ(m.buttons, Prompter::Buttons::YesNoCancel);
    }
    void expectUnchanged() const {
        EXPECT_EQ(context.CurrentData, before);
        EXPECT_EQ(context.SavedData, before);
        EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [mine.sdt]"));
        EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("mine.sdt")));
        EXPECT_EQ(context.gFileNameTitle, QStringLiteral("mine.sdt"));
    }
    SetupData other;
    SetupData before;
};

TEST_F(OtherVersion, YesLoadsItAndSaveStampsThisProgramsVersion) {
    prompter.answerNext(Prompter::Yes);
    ASSERT_TRUE(files.FileOpen());
    ASSERT_EQ(prompter.count(), 1);
    expectQuestion(prompter.last());
    EXPECT_EQ(context.CurrentData, other);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [OLD.sdt]"));
    prompter.answerNext(Prompter::No);
    EXPECT_EQ(files.CheckSaveChanges(), Prompter::No); // another version counts as changed

    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(context.CurrentData.Version, context.ProgramVersion);
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("OLD.sdt"))).data->Version, context.ProgramVersion);
    EXPECT_EQ(files.CheckSaveChanges(), 0);
}

TEST_F(OtherVersion, NoShowsTheDialogAgainOnTheRejectedFile) {
    prompter.answerNext(Prompter::No);
    dialogs.cancelNext();
    EXPECT_FALSE(files.FileOpen());
    ASSERT_EQ(dialogs.requests().size(), 3); // the first open, then twice here
    EXPECT_EQ(dialogs.requests()[1].initialName, path(QStringLiteral("mine.sdt")));
    EXPECT_EQ(dialogs.requests()[2].initialName, path(QStringLiteral("OLD.sdt")));
    EXPECT_FALSE(dialogs.requests()[2].save);
    expectUnchanged();
}

TEST_F(OtherVersion, CancelKeepsTheDataAndItsFile) {
    context.CurrentData.ParamValue[2] = 7; // unsaved edit, kept by answering No below
    before = context.CurrentData;
    const SetupData saved = context.SavedData;
    prompter.answerNext(Prompter::No);     // Save Changes to File?
    prompter.answerNext(Prompter::Cancel); // version question
    EXPECT_FALSE(files.FileOpen());
    ASSERT_EQ(prompter.count(), 2);
    expectQuestion(prompter.last());
    EXPECT_EQ(context.CurrentData, before);
    EXPECT_EQ(context.SavedData, saved);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [mine.sdt]"));

    // Save goes to the file the data came from, not the one just refused.
    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("mine.sdt"))).data->ParamValue[2], 7);
    EXPECT_EQ(*SdtFile::read(path(QStringLiteral("OLD.sdt"))).data, other);
}

// Save chosen before Open, New or shutdown: when it does not happen, the command ends.
TEST_F(FileCommands, UnfinishedSaveEndsTheCallingCommand) {
    const std::function<bool(SetupFiles&)> commands[] = {
        [](SetupFiles& f) { return f.FileNew(); },
        [](SetupFiles& f) { return f.FileOpen(); },
        [](SetupFiles& f) { return f.ConfirmClose(); },
    };
    for (const auto& command : commands) {
        context.CurrentData.ParamValue[1] = 360;
        const SetupData edited = context.CurrentData;
        const int dialogsBefore = int(dialogs.requests().size());
        prompter.answerNext(Prompter::Yes);
        dialogs.cancelNext(); // the Save As dialog
        EXPECT_FALSE(command(files));
        EXPECT_EQ(int(dialogs.requests().size()), dialogsBefore + 1);
        EXPECT_TRUE(dialogs.requests().back().save);
        EXPECT_EQ(context.CurrentData, edited);
        EXPECT_TRUE(context.DataUntitled);
    }
}

// Each damaged file is refused with its reason; data, title and file name stay.
TEST_F(FileCommands, DamagedFilesAreRefusedAndChangeNothing) {
    const QByteArray good = SdtFile::encode(context.DefaultData).bytes;
    putRecord(QStringLiteral("mine.sdt"), context.DefaultData);
    openFile(QStringLiteral("mine.sdt"));
    context.CurrentData.ParamValue[4] = 1;
    const SetupData current = context.CurrentData;
    const SetupData saved = context.SavedData;
    const QString upload = context.gUploadNOW;
    context.currentDateTime = [] { return QDateTime(QDate(2030, 1, 1), QTime(0, 0)); };

    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty.sdt", QByteArray(), "The file is empty."},
        {"cut.sdt", good.left(good.size() - 2), "The file ends inside the PLS data."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        put(QLatin1String(c.name), c.bytes);
        prompter.clear();
        prompter.answerNext(Prompter::No); // keep the unsaved edit
        dialogs.choose(path(QLatin1String(c.name)));
        EXPECT_FALSE(files.FileOpen());
        ASSERT_EQ(prompter.count(), 2);
        const auto& shown = prompter.last();
        EXPECT_EQ(shown.title, QStringLiteral("VORNA7"));
        EXPECT_EQ(shown.icon, Prompter::Icon::Exclamation);
        EXPECT_EQ(shown.buttons, Prompter::Buttons::OK);
        EXPECT_EQ(shown.text, QStringLiteral("The set-up data file \"") +
                                  QDir::toNativeSeparators(path(QLatin1String(c.name))) +
                                  QStringLiteral("\" could not be read:") + CRLF +
                                  QLatin1String(c.reason) + CRLF + CRLF +
                                  QStringLiteral("The data in memory has not been changed."));
        EXPECT_EQ(context.CurrentData, current);
        EXPECT_EQ(context.SavedData, saved);
        EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [mine.sdt]"));
        EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("mine.sdt")));
        EXPECT_EQ(context.gUploadNOW, upload);
    }
}

QByteArray expectedExport(const char* title, const char* date, const char* values[6]) {
    const char* lines[17] = {
        title,     date,      " ", "Current Shift Data:",  "(Good Can, Short Can)",
        values[0], values[1], " ", "Last Shift Data:",     "(Good Can, Short Can)",
        values[2], values[3], " ", "Brake Response Data:", "(Low Speed, High Speed)",
        values[4], values[5]};
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

TEST_F(FileCommands, ExportBeforeAnyFileSaysUntitled) {
    context.CurrentData.ParamValue[9] = 1234;
    context.CurrentData.ParamValue[10] = 0;
    context.CurrentData.ParamValue[11] = 655359999;
    context.CurrentData.ParamValue[12] = -5;
    context.CurrentData.ParamValue[13] = 7;
    context.CurrentData.ParamValue[14] = -2147483647 - 1;
    dialogs.choose(path(QStringLiteral("shift")));
    ASSERT_TRUE(files.FileExport());
    ASSERT_EQ(dialogs.requests().size(), 1);
    EXPECT_TRUE(dialogs.requests()[0].save);
    EXPECT_EQ(dialogs.requests()[0].filter, QStringLiteral("Text Files(*.txt)|*.txt|"));
    EXPECT_EQ(dialogs.requests()[0].initialName, QString());
    const char* values[6] = {" 1234", " 0", " 655359999", "-5", " 7", "-2147483648"};
    EXPECT_EQ(contents(QStringLiteral("shift")), expectedExport("untitled", "Date: ", values));
    EXPECT_EQ(context.gFileExportPath, path(QStringLiteral("shift")));
}

TEST_F(FileCommands, ExportNamesTheLastFileEvenAfterNew) {
    putRecord(QStringLiteral("LINE1.sdt"), context.DefaultData);
    openFile(QStringLiteral("LINE1.sdt"));
    files.FileNew();
    dialogs.choose(path(QStringLiteral("a.txt")));
    ASSERT_TRUE(files.FileExport());
    dialogs.choose(path(QStringLiteral("b.txt")));
    ASSERT_TRUE(files.FileExport());
    EXPECT_EQ(dialogs.requests().back().initialName, path(QStringLiteral("a.txt")));
    const char* values[6] = {" 0", " 0", " 0", " 0", " 0", " 0"};
    EXPECT_EQ(contents(QStringLiteral("b.txt")),
              expectedExport("LINE1.sdt", "Date: 3/14/2024 2:05:07 PM", values));
}

TEST_F(FileCommands, FailedExportIsReported) {
    const QString target = path(QStringLiteral("no/dir/x.txt"));
    dialogs.choose(target);
    EXPECT_FALSE(files.FileExport());
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("The shift data file \"") +
                                                QDir::toNativeSeparators(target) +
                                                QStringLiteral("\" could not be written:\r\n")));
    dialogs.cancelNext();
    EXPECT_FALSE(files.FileExport());
    EXPECT_EQ(prompter.count(), 1); // a cancelled dialog says nothing
}

} // namespace

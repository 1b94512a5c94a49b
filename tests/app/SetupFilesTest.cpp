#include <QDir>
#include <QFile>

#include "AppContext.h"
#include "CaseName.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrompter.h"
#include "SdtFile.h"
#include "SetupFiles.h"
#include "TempFolder.h"

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
        ASSERT_TRUE(dir.write(name, bytes));
    }
    QByteArray contents(const QString& name) const { return dir.read(name); }
    void putRecord(const QString& name, const SetupData& data) const {
        put(name, SdtFile::encode(data).bytes);
    }
    // Opens a file of this program's version, answering no questions.
    void openFile(const QString& name) {
        dialogs.choose(path(name));
        ASSERT_TRUE(files.FileOpen());
    }
    QString dialogsAsked() const {
        QStringList kinds;
        for (const ScriptedDialogs::Request& r : dialogs.requests())
            kinds << (r.save ? QStringLiteral("save") : QStringLiteral("open"));
        return kinds.join(QLatin1Char(' '));
    }
    // The message shown last: an exclamation box titled "VORNA7" whose text starts with `text`.
    void expectFailure(const QString& text, Prompter::Buttons buttons = Prompter::Buttons::OK) {
        ASSERT_GT(prompter.count(), 0);
        EXPECT_EQ(prompter.last().title, QStringLiteral("VORNA7"));
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
        EXPECT_EQ(prompter.last().buttons, buttons);
        EXPECT_EQ(prompter.last().text.left(text.size()), text)
            << prompter.last().text.toStdString();
    }

    TempFolder dir;
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
    }
    EXPECT_EQ(prompter.count(), 3);
    expectFailure(QStringLiteral("Save Changes to File?"), Prompter::Buttons::YesNoCancel);
}

// ---- The save question before New, Open and shutdown, every answer -------------------------

enum class Command { New, Open, Close };
enum class Answer { Cancel, No, Yes, YesThenCancel }; // the last cancels the Save As dialog

struct SaveQuestionCase {
    const char* name;
    Command command;
    Answer answer;
    bool goesOn;         // what the command returns
    bool dataReset;      // the edit is gone
    bool saved;          // LINE1.sdt written
    const char* dialogs; // the file dialogs asked, in order
};

VORNA7_PRINTS_ROW_NAME(SaveQuestionCase)

class SaveQuestion : public FileCommands, public ::testing::WithParamInterface<SaveQuestionCase> {};

TEST_P(SaveQuestion, EachAnswerEndsTheCommandAsItShould) {
    const SaveQuestionCase& c = GetParam();
    context.CurrentData.ParamValue[1] = 360;
    prompter.answerNext(c.answer == Answer::Cancel ? Prompter::Cancel
                        : c.answer == Answer::No   ? Prompter::No
                                                   : Prompter::Yes);
    if (c.answer == Answer::Yes)
        dialogs.choose(path(QStringLiteral("LINE1.sdt")));
    else if (c.answer == Answer::YesThenCancel)
        dialogs.cancelNext();
    const bool goesOn = c.command == Command::New    ? files.FileNew()
                        : c.command == Command::Open ? files.FileOpen()
                                                     : files.ConfirmClose();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Save Changes to File?"));
    EXPECT_EQ(goesOn, c.goesOn);
    EXPECT_EQ(context.CurrentData.ParamValue[1] != 360, c.dataReset);
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("LINE1.sdt"))).data.has_value(), c.saved);
    EXPECT_EQ(dialogsAsked(), QLatin1String(c.dialogs));
    EXPECT_EQ(context.DataUntitled, !c.saved || c.dataReset);
}

// Open goes on to its own dialog, which the script cancels.
INSTANTIATE_TEST_SUITE_P(
    FileCommandsAndAnswers, SaveQuestion,
    ::testing::Values(
        SaveQuestionCase{"NewCancel", Command::New, Answer::Cancel, false, false, false, ""},
        SaveQuestionCase{"NewNo", Command::New, Answer::No, true, true, false, ""},
        SaveQuestionCase{"NewYes", Command::New, Answer::Yes, true, true, true, "save"},
        SaveQuestionCase{"NewSaveAsCancelled", Command::New, Answer::YesThenCancel, false, false,
                         false, "save"},
        SaveQuestionCase{"OpenCancel", Command::Open, Answer::Cancel, false, false, false, ""},
        SaveQuestionCase{"OpenNo", Command::Open, Answer::No, false, false, false, "open"},
        SaveQuestionCase{"OpenYes", Command::Open, Answer::Yes, false, false, true, "save open"},
        SaveQuestionCase{"OpenSaveAsCancelled", Command::Open, Answer::YesThenCancel, false, false,
                         false, "save"},
        SaveQuestionCase{"CloseCancel", Command::Close, Answer::Cancel, false, false, false, ""},
        SaveQuestionCase{"CloseNo", Command::Close, Answer::No, true, false, false, ""},
        SaveQuestionCase{"CloseYes", Command::Close, Answer::Yes, true, false, true, "save"},
        SaveQuestionCase{"CloseSaveAsCancelled", Command::Close, Answer::YesThenCancel, false,
                         false, false, "save"}),
    CaseName());

// ---- Save, Open ------------------------------------------------------------------------------

TEST_F(FileCommands, SaveAfterNewAsksForANameThenSavesWithoutOneAndAFailedSaveChangesNothing) {
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [unnamed]"));
    EXPECT_TRUE(context.TimingReload);
    context.CurrentData.ParamValue[1] = 360;
    dialogs.choose(path(QStringLiteral("LINE1.sdt")));
    ASSERT_TRUE(files.FileSave());
    ASSERT_EQ(dialogs.requests().size(), 1);
    EXPECT_EQ(dialogs.requests()[0].filter, QStringLiteral("Setup Files(*.sdt)|*.sdt|"));
    EXPECT_EQ(dialogs.requests()[0].initialName, QString());
    EXPECT_EQ(contents(QStringLiteral("LINE1.sdt")), SdtFile::encode(context.CurrentData).bytes);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [LINE1.sdt]"));
    EXPECT_EQ(context.SavedData, context.CurrentData);
    EXPECT_EQ(files.CheckSaveChanges(), 0);

    context.CurrentData.ParamValue[2] = 3;
    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(dialogsAsked(), QStringLiteral("save")); // no second dialog
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("LINE1.sdt"))).data->ParamValue[2], 3);

    // A failed save is reported and changes nothing.
    const QByteArray before = contents(QStringLiteral("LINE1.sdt"));
    context.CurrentData.ParamValue[1] = 361;
    const SetupData saved = context.SavedData;
    const QString target = path(QStringLiteral("missing/b.sdt"));
    dialogs.choose(target);
    EXPECT_FALSE(files.FileSaveAs());
    ASSERT_EQ(prompter.count(), 1);
    expectFailure(QStringLiteral("The set-up data file \"") + QDir::toNativeSeparators(target) +
                  QStringLiteral("\" could not be written:\r\n"));
    EXPECT_TRUE(prompter.last().text.endsWith(CRLF + CRLF + "The data has not been saved."));
    EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("LINE1.sdt")));
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [LINE1.sdt]"));
    EXPECT_EQ(context.SavedData, saved);
    EXPECT_EQ(contents(QStringLiteral("LINE1.sdt")), before);
}

// Tables of 20 and 40 entries are fitted to 32: missing entries are empty texts and zeros.
TEST_F(FileCommands, OpenLoadsAFileOfThisVersionFittedToThirtyTwoEntries) {
    for (const std::size_t count : {20u, 40u}) {
        SetupData data = context.DefaultData;
        data.ParamAdd.assign(count, QString());
        data.ParamValue.assign(count, 0);
        for (std::size_t i = 0; i < count; ++i) {
            data.ParamAdd[i] = QStringLiteral("W%1").arg(2000 + i);
            data.ParamValue[i] = std::int32_t(1000 + i);
        }
        data.ChanSetpoint[3][0] = 42;
        const QString name = QStringLiteral("t%1.sdt").arg(count);
        putRecord(name, data);
        prompter.clear();
        dialogs.choose(path(name));
        ASSERT_TRUE(files.FileOpen());
        EXPECT_EQ(prompter.count(), 0);
        EXPECT_FALSE(dialogs.requests().back().save);
        EXPECT_EQ(dialogs.requests().back().filter, QStringLiteral("Setup Files(*.sdt)|*.sdt|"));
        for (std::size_t i :
             {std::size_t(0), std::min(count, std::size_t(32)) - 1, std::size_t(31)}) {
            EXPECT_EQ(context.CurrentData.ParamAdd[i], i < count ? data.ParamAdd[i] : QString());
            EXPECT_EQ(context.CurrentData.ParamValue[i], i < count ? data.ParamValue[i] : 0);
        }
        EXPECT_EQ(context.CurrentData.ParamValue.size(), 32u);
        EXPECT_EQ(context.CurrentData.ChanSetpoint, data.ChanSetpoint);
        EXPECT_EQ(context.SavedData, context.CurrentData);
        EXPECT_FALSE(context.DataUntitled);
        EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [%1]").arg(name));
        EXPECT_EQ(context.gUploadNOW, QStringLiteral("3/14/2024 2:05:07 PM"));
    }
    EXPECT_EQ(dialogs.requests()[0].initialName, path(QStringLiteral("*.sdt")));
}

// A file of another version: Yes loads it, No shows the dialog again on the refused file, Cancel
// keeps the data and the file it came from.
TEST_F(FileCommands, AFileOfAnotherVersionAsksFirstAndADamagedOneIsRefused) {
    putRecord(QStringLiteral("mine.sdt"), context.DefaultData);
    openFile(QStringLiteral("mine.sdt"));
    SetupData other = context.DefaultData;
    other.Version = QStringLiteral("VORNA7_R0.9.0");
    other.ParamValue[1] = 111;
    putRecord(QStringLiteral("OLD.sdt"), other);
    const SetupData mine = context.CurrentData;

    for (const int answer : {Prompter::Cancel, Prompter::No}) {
        prompter.answerNext(answer);
        dialogs.choose(path(QStringLiteral("OLD.sdt")));
        if (answer == Prompter::No)
            dialogs.cancelNext(); // the dialog shown again
        EXPECT_FALSE(files.FileOpen());
        EXPECT_EQ(context.CurrentData, mine);
        EXPECT_EQ(context.SavedData, mine);
        EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("mine.sdt")));
        EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [mine.sdt]"));
    }
    EXPECT_EQ(dialogs.requests().size(), 4); // the first open, once for Cancel, twice for No
    EXPECT_EQ(dialogs.requests()[3].initialName, path(QStringLiteral("OLD.sdt")));
    const auto& asked = prompter.last();
    EXPECT_EQ(asked.title, QStringLiteral("VORNA7"));
    EXPECT_EQ(asked.text, "File created by set-up program version: VORNA7_R0.9.0" + CRLF +
                              "Data tables may not be properly aligned." + CRLF + CRLF +
                              "Do you wish to continue?");
    EXPECT_EQ(asked.icon, Prompter::Icon::Information);
    EXPECT_EQ(asked.buttons, Prompter::Buttons::YesNoCancel);

    // Save goes to the file the data came from, not the one just refused.
    context.CurrentData.ParamValue[2] = 7;
    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("mine.sdt"))).data->ParamValue[2], 7);
    EXPECT_EQ(*SdtFile::read(path(QStringLiteral("OLD.sdt"))).data, other);

    prompter.answerNext(Prompter::Yes);
    dialogs.choose(path(QStringLiteral("OLD.sdt")));
    ASSERT_TRUE(files.FileOpen());
    EXPECT_EQ(context.CurrentData, other);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [OLD.sdt]"));
    prompter.answerNext(Prompter::No);
    EXPECT_EQ(files.CheckSaveChanges(), Prompter::No); // another version counts as changed
    ASSERT_TRUE(files.FileSave());
    EXPECT_EQ(SdtFile::read(path(QStringLiteral("OLD.sdt"))).data->Version, context.ProgramVersion);
    EXPECT_EQ(files.CheckSaveChanges(), 0);

    // A damaged file is refused with its reason (the reasons are the reader's); data, title and
    // file name stay, even where the file began with good data.
    const QByteArray good = SdtFile::encode(context.DefaultData).bytes;
    context.CurrentData.ParamValue[4] = 1;
    const SetupData current = context.CurrentData;
    const SetupData kept = context.SavedData;
    const QString upload = context.gUploadNOW;
    context.currentDateTime = [] { return QDateTime(QDate(2030, 1, 1), QTime(0, 0)); };

    put(QStringLiteral("bad.sdt"), good.left(good.size() - 2));
    prompter.answerNext(Prompter::No); // keep the unsaved edit
    dialogs.choose(path(QStringLiteral("bad.sdt")));
    EXPECT_FALSE(files.FileOpen());
    expectFailure(QStringLiteral("The set-up data file \"") +
                  QDir::toNativeSeparators(path(QStringLiteral("bad.sdt"))) +
                  "\" could not be read:" + CRLF + "The file ends inside the PLS data." + CRLF +
                  CRLF + "The data in memory has not been changed.");
    EXPECT_EQ(context.CurrentData, current);
    EXPECT_EQ(context.SavedData, kept);
    EXPECT_EQ(context.MainCaption(), QStringLiteral("VORNA7 - [OLD.sdt]"));
    EXPECT_EQ(context.gFileNamePath, path(QStringLiteral("OLD.sdt")));
    EXPECT_EQ(context.gUploadNOW, upload);
}

// ---- Shift data export -------------------------------------------------------------------------

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

// Before any file the export says untitled; later it names the last file, even after New, and
// the dialog starts at the last export.
TEST_F(FileCommands, ExportWritesTheShiftDataUnderTheLastFilesNameOrSaysWhyNot) {
    const std::int32_t values[6] = {1234, 0, 655359999, -5, 7, -2147483647 - 1};
    for (int i = 0; i < 6; ++i)
        context.CurrentData.ParamValue[std::size_t(9 + i)] = values[i];
    dialogs.choose(path(QStringLiteral("shift")));
    ASSERT_TRUE(files.FileExport());
    EXPECT_EQ(dialogsAsked(), QStringLiteral("save"));
    EXPECT_EQ(dialogs.requests()[0].filter, QStringLiteral("Text Files(*.txt)|*.txt|"));
    EXPECT_EQ(dialogs.requests()[0].initialName, QString());
    const char* shown[6] = {" 1234", " 0", " 655359999", "-5", " 7", "-2147483648"};
    EXPECT_EQ(contents(QStringLiteral("shift")), expectedExport("untitled", "Date: ", shown));
    EXPECT_EQ(context.gFileExportPath, path(QStringLiteral("shift")));

    putRecord(QStringLiteral("LINE1.sdt"), context.DefaultData);
    prompter.answerNext(Prompter::No);
    openFile(QStringLiteral("LINE1.sdt"));
    files.FileNew();
    dialogs.choose(path(QStringLiteral("b.txt")));
    ASSERT_TRUE(files.FileExport());
    EXPECT_EQ(dialogs.requests().back().initialName, path(QStringLiteral("shift")));
    const char* zeros[6] = {" 0", " 0", " 0", " 0", " 0", " 0"};
    EXPECT_EQ(contents(QStringLiteral("b.txt")),
              expectedExport("LINE1.sdt", "Date: 3/14/2024 2:05:07 PM", zeros));

    // A failed export is reported; a cancelled dialog says nothing.
    const QString target = path(QStringLiteral("no/dir/x.txt"));
    dialogs.choose(target);
    EXPECT_FALSE(files.FileExport());
    ASSERT_EQ(prompter.count(), 2);
    expectFailure(QStringLiteral("The shift data file \"") + QDir::toNativeSeparators(target) +
                  QStringLiteral("\" could not be written:\r\n"));
    dialogs.cancelNext();
    EXPECT_FALSE(files.FileExport());
    EXPECT_EQ(prompter.count(), 2);
}

} // namespace

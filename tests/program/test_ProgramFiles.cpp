#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ProgramFiles.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"

namespace {

struct Companions {
    const char* tkp;
    const char* rev; // nullptr: no file
    const char* lcf;
};

class ProgramFilesTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    RSComm link{folder.path(), clock, prompter};

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& content) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void makeSet(const Companions& c) {
        QFile::remove(path("PUMP.rev"));
        QFile::remove(path("PUMP.lcf"));
        write("PUMP.TKP", c.tkp);
        if (c.rev)
            write("PUMP.rev", c.rev);
        if (c.lcf)
            write("PUMP.lcf", c.lcf);
    }
    QStringList shown() const {
        QStringList texts;
        for (const auto& m : prompter.messages())
            texts << m.title + QStringLiteral(": ") + m.text;
        return texts;
    }
};

const char* const GoodLcf = "E0000000000000000000000000000000000100120000%";

} // namespace

TEST_F(ProgramFilesTest, DownloadChecksByBoardClass) {
    const QString rev = path("PUMP.rev"), lcf = path("PUMP.lcf");
    const QString halted = QStringLiteral("\r\n\r\nProgram Downloaded Halted!");
    const struct {
        const char* name;
        Companions files;
        bool valid;
        QStringList messages;
    } cases[] = {
        {"PLC without configuration", {"2,x\r\n", "PROG0001:?05\r\n", nullptr}, true, {}},
        {"PLS board",
         {"7\r\n", "PROG0001:?05\r\n", GoodLcf},
         false,
         {QStringLiteral("PLS Program Download: PUMP file is a PLS target board program.\r\n"
                         "Open PLS program to download to target board.\r\n\r\n"
                         "Program Downloaded Halted.")}},
        {"not defined",
         {"9\r\n", nullptr, nullptr},
         false,
         {QStringLiteral("Program Download: PUMP file is incompatible with target board.") +
          halted}},
        {"outside the table",
         {"1\r\n", nullptr, nullptr},
         false,
         {QStringLiteral("Program Download: PUMP file is incompatible with target board.") +
          halted}},
        {"configuration missing",
         {"8\r\n", "PROG0001:?05\r\n", nullptr},
         false,
         {QStringLiteral("Program Download: ") + lcf +
          QStringLiteral(" Configuration File is Not Valid") + halted}},
        {"revision missing, configuration good",
         {"8\r\n", nullptr, GoodLcf},
         false,
         {QStringLiteral("Program Download: ") + rev +
          QStringLiteral(" Revision File is Not Valid") + halted}},
        {"revision line too short",
         {"2\r\n", "05\r\n", nullptr},
         false,
         {QStringLiteral("RSComm-Set Program Ident: Error Number = 5\r\n\r\n"
                         "Invalid procedure call or argument"),
          QStringLiteral("Program Download: ") + rev +
              QStringLiteral(" Revision File is Not Valid") + halted}},
        {"revision digits not MarkHEX",
         {"2\r\n", "PROG0001XY05\r\n", nullptr},
         false,
         {QStringLiteral("RSComm-Set Program Ident: Error Number = 13\r\n\r\nType mismatch"),
          QStringLiteral("Program Download: ") + rev +
              QStringLiteral(" Revision File is Not Valid") + halted}},
        {"empty program file", {"", "PROG0001:?05\r\n", nullptr}, false, {}},
        {"program file with an empty first field",
         {",x\r\n", nullptr, nullptr},
         false,
         {QStringLiteral("RSComm-Download File: Error Number = 75\r\n\r\nInput past end of file")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        makeSet(c.files);
        prompter.clear();
        link.setValidProgram(true);
        ProgramFiles::DownloadFile(link, path("PUMP.TKP"), prompter);
        EXPECT_EQ(link.ValidProgram(), c.valid);
        EXPECT_EQ(shown().join(QStringLiteral("\n")).toStdString(),
                  c.messages.join(QStringLiteral("\n")).toStdString());
    }
}

TEST_F(ProgramFilesTest, NamesAndValuesReadFromTheSet) {
    const QByteArray lcf = "E" + QByteArray(34, '0') + "2" + "00" + "0" + "1" + "000%\r\n";
    makeSet({"=project\r\n", "PROG0001:?05\r\n", lcf.constData()});
    ProgramFiles::DownloadFile(link, path("PUMP.TKP"), prompter);
    ASSERT_TRUE(link.ValidProgram());
    const ProgramSet& set = link.programSet();
    EXPECT_EQ(set.ProgramFileName, path("PUMP.TKP")) << "the file on disk, whatever its case";
    EXPECT_EQ(set.RevisionFileName, path("PUMP.rev"));
    EXPECT_EQ(set.HexFileName, path("PUMP.hex"));
    EXPECT_EQ(set.ConfigFileName, path("PUMP.lcf"));
    EXPECT_EQ(set.FileBoardType, 61);
    EXPECT_EQ(set.FileBoardName, QStringLiteral("K6632(PLC)"));
    EXPECT_EQ(set.ProgramIdent, QStringLiteral("PROG0001"));
    EXPECT_EQ(set.ProgramChecksum, QStringLiteral("175"));
    EXPECT_EQ(set.ProgramRevision, QStringLiteral("5"));
    // Column 36 holds 2, 39 holds 0 and 40 holds 1; a short line gives zeros.
    EXPECT_EQ(set.LcfCode36, 2);
    EXPECT_EQ(set.LcfCode39, 0);
    EXPECT_EQ(set.LcfCode40, 1);

    makeSet({"=project\r\n", ":?05\r\n", "E000\r\n"});
    ProgramFiles::DownloadFile(link, path("PUMP.TKP"), prompter);
    EXPECT_TRUE(link.ValidProgram());
    EXPECT_EQ(link.programSet().ProgramIdent, QString());
    EXPECT_EQ(link.programSet().LcfCode36, 0);
    EXPECT_EQ(link.programSet().LcfCode40, 0);
}

TEST_F(ProgramFilesTest, UploadChoiceRunsNoChecksAndKeepsValidity) {
    makeSet({"7\r\n", nullptr, nullptr});
    link.setValidProgram(true);
    ProgramFiles::UploadFile(link, path("PUMP.TKP"), prompter);
    EXPECT_TRUE(link.ValidProgram());
    EXPECT_EQ(link.programSet().FileBoardType, 55);
    EXPECT_EQ(link.programSet().HexFileName, path("PUMP.hex"));
    EXPECT_EQ(prompter.count(), 0);
}

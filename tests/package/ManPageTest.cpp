#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace {

struct ProgramCase {
    const char* name;
    const char* manPage;         // relative to the source tree
    const char* commandsHeading; // the --help line above its list of commands, if any
    const char* commandsSection; // the manual's section that must name those commands
};

const ProgramCase programs[] = {
    {"vorna7", "main/vorna7.1", nullptr, nullptr},
    {"vorna7ctl", "cli/vorna7ctl.1", "Commands:", "COMMANDS"},
    {"vorna7-sim", "sim/vorna7-sim.1",
     "--control reads commands, one per line:", "CONTROL COMMANDS"},
};

QString run(const QString& program, const QString& argument) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/" + program, {argument});
    const bool finished = process.waitForFinished(10000);
    EXPECT_TRUE(finished && process.exitCode() == 0)
        << program.toStdString() << " " << argument.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The manual's source as plain text: font changes gone, escaped hyphens and quotes plain.
QString manText(const char* relativePath) {
    QFile file(QStringLiteral(VORNA7_SOURCE_DIR "/") + relativePath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath;
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    return text.replace(QStringLiteral("\\-"), QStringLiteral("-"))
        .replace(QStringLiteral("\\(dq"), QStringLiteral("\""));
}

QString manSection(const QString& man, const QString& heading) {
    const QString start = ".SH " + heading + "\n";
    const qsizetype from = man.indexOf(start);
    if (from < 0)
        return {};
    const qsizetype to = man.indexOf(QStringLiteral("\n.SH "), from + start.size());
    return man.mid(from + start.size(), to < 0 ? -1 : to - from - start.size());
}

QStringList matches(const QString& text, const QString& pattern, int group = 0) {
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(group);
    found.sort();
    found.removeDuplicates();
    return found;
}

QStringList longOptions(const QString& text) {
    return matches(text, QStringLiteral("--[a-z][a-z0-9-]*"));
}

QStringList missingFrom(QStringList words, const QStringList& in) {
    words.removeIf([&in](const QString& word) { return in.contains(word); });
    return words;
}

// Command words of a --help list: lines indented by at most eight spaces name commands
// (a run of two spaces ends the name); deeper lines continue a description.
QStringList commandWords(const QString& help, const QString& heading) {
    const qsizetype from = help.indexOf(heading + "\n");
    if (from < 0)
        return {heading}; // reported missing, so a renamed heading fails loudly
    QStringList words;
    const QStringList lines = help.mid(from + heading.size() + 1).split(u'\n');
    for (const QString& line : lines) {
        if (!line.startsWith(u' '))
            break;
        if (line.indexOf(QRegularExpression(QStringLiteral("\\S"))) > 8)
            continue;
        const QString name = line.trimmed().split(QStringLiteral("  ")).first();
        words << matches(name, QStringLiteral("(?:^|[\\s|\\[])([a-z][a-z-]*)(?=$|[\\s|\\]])"), 1);
    }
    return words;
}

// Each program's manual names the options, commands and exit statuses its --help gives, and
// carries the version the program prints.
TEST(ManPage, AgreesWithTheHelpAndTheVersionOfItsProgram) {
    for (const ProgramCase& program : programs) {
        SCOPED_TRACE(program.name);
        const QString help = run(program.name, QStringLiteral("--help"));
        const QString man = manText(program.manPage);

        const QStringList described = longOptions(manSection(man, QStringLiteral("OPTIONS")));
        EXPECT_FALSE(help.isEmpty() || described.isEmpty());
        EXPECT_EQ(missingFrom(longOptions(help), longOptions(man)), QStringList());
        // --help is known: it just answered.
        EXPECT_EQ(missingFrom(described, longOptions(help) << QStringLiteral("--help")),
                  QStringList());

        if (program.commandsHeading) {
            const QStringList commands =
                commandWords(help, QString::fromUtf8(program.commandsHeading));
            EXPECT_GT(commands.size(), 5);
            // Only the entries' tags count: a word in a description names no command.
            const QString section = manSection(man, QString::fromUtf8(program.commandsSection));
            const QString tags =
                matches(section, QStringLiteral("(?m)^\\.TP\n(.*)$"), 1).join(u'\n');
            EXPECT_EQ(missingFrom(commands, matches(tags, QStringLiteral("[a-z][a-z-]*"))),
                      QStringList());
        }

        const qsizetype at = help.indexOf(QStringLiteral("Exit status:"));
        const QStringList documented = matches(manSection(man, QStringLiteral("EXIT STATUS")),
                                               QStringLiteral("\n\\.B (\\d+)\n"), 1);
        EXPECT_EQ(documented, at < 0 ? QStringList()
                                     : matches(help.mid(at), QStringLiteral("(\\d+) [a-z]"), 1));

        EXPECT_EQ(run(program.name, QStringLiteral("--version")),
                  QStringLiteral("%1 %2\n").arg(program.name, VORNA7_VERSION));
        const QString titleLine = matches(man, QStringLiteral("(?m)^\\.TH .*$")).value(0);
        EXPECT_TRUE(titleLine.contains(QStringLiteral("\"VORNA7 " VORNA7_VERSION "\"")))
            << titleLine.toStdString();
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv); // finds the programs beside this one
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

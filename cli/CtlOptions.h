#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The command line of vorna7ctl, checked before anything touches the line.
class CtlOptions {
public:
    enum class Command {
        Read,
        Write,
        Watch,
        PLS,
        Board,
        DownloadProgram,
        UploadProgram,
        VerifyProgram,
        UploadData,
        DownloadData,
        Report
    };
    enum class PLSAction { Status, Config, Recall, Set, Pulse, Clear, Offset };

    QString appDir; // empty: the folder of the executable
    std::optional<int> port;
    QString devicePath;
    std::optional<int> speed;
    int retries = 0;
    bool trace = false;
    bool help = false;
    bool version = false;

    Command command = Command::Read;
    QStringList addresses;
    QString value;            // write
    std::optional<int> count; // watch rounds; empty: until stopped
    int intervalMs = 500;     // watch: from the start of one round to the next
    bool csv = false;         // watch: time-stamped CSV rows
    PLSAction plsAction = PLSAction::Status;
    QList<int> plsValues;         // pls: CH, ON, OFF, START or POSITION as the action takes them
    std::optional<int> boardType; // board --type
    QString programFile;          // download-program, upload-program, verify-program
    QString dataFile;             // download-data and report: the set-up file read
    QString outFile;              // upload-data --out, report --pdf: the file written
    bool yes = false;             // download-program, download-data --yes: questions answered Yes

    bool isProgramCommand() const {
        return command == Command::DownloadProgram || command == Command::UploadProgram ||
               command == Command::VerifyProgram;
    }
    // Whether the command talks to the board (report does not).
    bool usesLink() const { return command != Command::Report; }

    static constexpr int MaxRetries = 1'000'000;
    static constexpr int MaxIntervalMs = 86'400'000;
    // PLS numbers are passed on up to this; the link refuses what the board cannot take.
    static constexpr int MaxPLSValue = 999'999'999;

    // Whether the line comes from the command line instead of RSPort.cfg alone.
    bool overridesSettings() const { return port || speed || !devicePath.isEmpty(); }

    struct Parsed;
    // `arguments` without the program name. Never fails on odd input: a bad command line gives
    // a one-line reason.
    static Parsed parse(const QStringList& arguments);
    static QString usage();
};

struct CtlOptions::Parsed {
    CtlOptions options;
    QString error; // empty when the command line is usable
};

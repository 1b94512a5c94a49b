// Program download and upload of a whole program with the wire time of 19200 baud emulated by
// vorna7-sim on a pseudo-terminal: the link against the wire limit of the bytes it exchanges,
// side by side with a raw termios client doing the same exchanges on the same line.
//
//   program_transfer [--kib N]     (program size, default 32)

#include <QCoreApplication>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "HexRecords.h"
#include "ProgramFiles.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RawLine.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"

namespace {

constexpr int Baud = 19200;
constexpr int RecordBytes = 16;
constexpr int DownloadStart = 0x2000; // clear of the FFxx page the board takes for attention
constexpr int UploadStart = 0x4000;   // a K6674 program
// The waits the download makes on purpose: 0.1 s before program mode, 2 s after it.
constexpr double FixedWaits = 2.1;

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Yes to the confirmations, and the last text kept for a failed figure.
class YesPrompter final : public Prompter {
public:
    int ask(const QString& title, const QString& text, Icon, Buttons buttons) override {
        last = title + QStringLiteral(": ") + text;
        return buttons == Buttons::RetryCancel ? Cancel : Yes;
    }
    QString last;
};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QStringList programRecords(int records) {
    QStringList lines;
    for (int r = 0; r < records; ++r) {
        QByteArray data;
        for (int i = 0; i < RecordBytes; ++i)
            data.append(static_cast<char>((r * 7 + i * 13) & 0xFF));
        lines << HexRecords::dataRecord(DownloadStart + r * RecordBytes, data);
    }
    return lines << HexRecords::EndOfFile;
}

double linkDownload(SimulatorProcess& sim, const QString& program) {
    SteadyClock clock;
    YesPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort port(sim.appDir());
    ProgramFiles::DownloadFile(link, program, prompter);
    link.OpenRSComm(port);
    const double start = now();
    link.DumpProgram();
    const double seconds = now() - start;
    if (!prompter.last.endsWith(QStringLiteral("Program Download Complete!")))
        throw std::runtime_error("download failed: " + prompter.last.toStdString());
    link.CloseRSComm();
    return seconds;
}

void rawHandshake(RawLine& line, unsigned char command) {
    line.expect(0xFF, 0x55);
    line.expect(command, 0x55);
}

void rawWrite(RawLine& line, int address, int value) {
    line.expect(static_cast<unsigned char>(address >> 8), address >> 8);
    line.expect(static_cast<unsigned char>(address & 0xFF), address & 0xFF);
    line.expect(static_cast<unsigned char>(value), value);
}

// The download's exchanges in the link's order: ident read, preparation, records, exit,
// ident write, with the same two waits.
double rawDownload(SimulatorProcess& sim, const QStringList& lines) {
    RawLine line(sim.linePath());
    const double start = now();
    rawHandshake(line, 0x01);
    for (int k = 0; k < 10; ++k) {
        const int address = 61424 + k;
        line.expect(static_cast<unsigned char>(address >> 8), address >> 8);
        line.exchange(static_cast<unsigned char>(address & 0xFF));
    }
    rawHandshake(line, 0x02);
    rawWrite(line, 8181, 86);
    rawWrite(line, 8176, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    line.expect(0xFF, 0x55);
    rawHandshake(line, 0x03);
    for (const QString& record : lines) {
        const QByteArray bytes = QByteArray::fromHex(record.mid(1).toLatin1());
        if (bytes.at(0) == 0)
            continue;
        int sum = 0;
        for (int i = 0; i < bytes.size() - 1; ++i) {
            if (i == 3)
                continue; // the record type is not sent
            sum += static_cast<unsigned char>(bytes.at(i));
            if (i + 2 < bytes.size())
                line.send(static_cast<unsigned char>(bytes.at(i)));
        }
        if (line.exchange(static_cast<unsigned char>(bytes.at(bytes.size() - 2))) != (sum & 0xFF))
            throw std::runtime_error("raw download: wrong record sum");
    }
    line.expect(0xFF, 0x55);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    rawHandshake(line, 0x02);
    for (int k = 0; k < 10; ++k)
        rawWrite(line, 61424 + k, k < 8 ? "BENCH001"[k] : k == 8 ? 175 : 5);
    return now() - start;
}

double linkUpload(SimulatorProcess& sim, const QString& program) {
    SteadyClock clock;
    YesPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort port(sim.appDir());
    ProgramFiles::UploadFile(link, program, prompter);
    link.OpenRSComm(port);
    link.setInUploadMode(true);
    const double start = now();
    link.UploadProgram();
    const double seconds = now() - start;
    if (!prompter.last.endsWith(QStringLiteral("Program Upload Complete!")))
        throw std::runtime_error("upload failed: " + prompter.last.toStdString());
    link.CloseRSComm();
    return seconds;
}

// Ident and memory, one byte per read.
double rawUpload(SimulatorProcess& sim, int bytes) {
    RawLine line(sim.linePath());
    const double start = now();
    rawHandshake(line, 0x01);
    const auto read = [&line](int address) {
        line.expect(static_cast<unsigned char>(address >> 8), address >> 8);
        if (line.exchange(static_cast<unsigned char>(address & 0xFF)) < 0)
            throw std::runtime_error("raw upload: no reply");
    };
    for (int k = 0; k < 10; ++k)
        read(61424 + k);
    for (int a = UploadStart; a < UploadStart + bytes; ++a)
        read(a);
    return now() - start;
}

int kibOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--kib")
            return std::max(1, std::min(32, std::atoi(argv[i + 1])));
    }
    return 32;
}

double wireSeconds(long bytes) {
    return bytes * 10.0 / Baud;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int kib = kibOption(argc, argv);
    const int records = kib * 1024 / RecordBytes;
    try {
        SimulatorProcess sim;
        sim.requireRunning();
        sim.command(QStringLiteral("wire %1").arg(Baud));
        const QString program = sim.appDir() + QStringLiteral("/BENCH.tkp");
        writeFile(program, "2\r\n");
        writeFile(sim.appDir() + QStringLiteral("/BENCH.rev"), "BENCH001:?05\r\n");
        const QStringList lines = programRecords(records);
        writeFile(sim.appDir() + QStringLiteral("/BENCH.hex"),
                  (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        std::printf("program_transfer: %d KiB (%d records) at %d baud, vorna7-sim on %s\n\n", kib,
                    records, Baud, qPrintable(sim.device()));

        // Bytes on the wire, both ways: handshakes and echoes counted as the exchanges go.
        const long downloadBytes = 2 * (2 + 20) + 2 * (2 + 6) + 2 + 2 * 2 +
                                   records * (3 + RecordBytes + 1) + 2 + 2 * (2 + 30);
        const double linkDown = linkDownload(sim, program);
        const double rawDown = rawDownload(sim, lines);
        const double limitDown = wireSeconds(downloadBytes) + FixedWaits;
        std::printf("download  link %7.2f s   raw %7.2f s   wire limit %7.2f s (with the %.1f s "
                    "of set waits)   link/limit %.3f   link/raw %.3f\n",
                    linkDown, rawDown, limitDown, FixedWaits, limitDown / linkDown,
                    rawDown / linkDown);

        writeFile(program, "D\r\n"); // a K6674 reads back 32 KiB from 4000H
        const int uploadBytes = 32 * 1024;
        const long uploadWire = 2 * 2 + 4 * (10 + static_cast<long>(uploadBytes));
        const double linkUp = kib == 32 ? linkUpload(sim, program) : 0;
        const double rawUp = kib == 32 ? rawUpload(sim, uploadBytes) : 0;
        if (kib == 32)
            std::printf("upload    link %7.2f s   raw %7.2f s   wire limit %7.2f s   link/limit "
                        "%.3f   link/raw %.3f\n",
                        linkUp, rawUp, wireSeconds(uploadWire), wireSeconds(uploadWire) / linkUp,
                        rawUp / linkUp);
        else
            std::printf("upload    (a K6674 range is always 32 KiB: run with --kib 32)\n");
        std::printf("          (target: link/raw at least 0.97)\n");
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "program_transfer: %s\n", failure.what());
        return 1;
    }
    return 0;
}

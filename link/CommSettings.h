#pragma once

#include <QString>

// RSPort.cfg: one line "port,speed" with CR LF, e.g. "1,9600".
class CommSettings {
public:
    static constexpr int DefaultPort = 1;
    static constexpr int DefaultSpeed = 9600;
    static constexpr int MinPort = 1;
    static constexpr int MaxPort = 99;
    // The number every settings-file failure shows: the classic "path/file access error".
    static constexpr int FileAccessError = 75;

    int port = DefaultPort;
    int speed = DefaultSpeed;

    enum class ReadResult { Read, Empty, Missing, Failed };

    // Where the file lives: the support folder of the application folder.
    static QString path(const QString& applicationFolder);

    // Reads the first line; blanks around each value are skipped. The values are clamped
    // into range (port 1..99, speed 9600 or 19200); the file is not rewritten. A failure's
    // `error` names the file and the reason.
    ReadResult read(const QString& path, QString* error);
    // Writes "port,speed" CR LF through a temporary file renamed over the target, creating
    // the folder when missing. A failure's `error` names the file and the reason.
    bool write(const QString& path, QString* error) const;

    // The text of the program's error boxes: "Error Number = ", the number, two line breaks
    // and the error; settings-file failures take the default number.
    static QString errorMessage(const QString& error, int number = FileAccessError);

    // The line settings text of the serial port: the speed and ",n,8,1".
    QString lineSettings() const;
    void clamp();

private:
    static int readNumber(const QByteArray& field);
    static QString failure(const QString& path, const QString& reason);
};

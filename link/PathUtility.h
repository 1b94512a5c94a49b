#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Path helpers for the development tool's project files and their companions.
class PathUtility {
public:
    // The path made absolute, with its extension replaced: folder/base.extension.
    // The file need not exist.
    static QString ChangeFileExt(const QString& path, const QString& extension);

    // Character code (Latin-1) of the first character of the first item of the project file
    // beside the path (same folder and base name, extension TKP, found whatever its case);
    // 68 ("D") when there is no such file or it is empty. Empty, with the reason in *error,
    // when the file cannot be read or its first item is empty.
    static std::optional<std::int16_t> TekoraFileType(const QString& path,
                                                      QString* error = nullptr);

    static constexpr std::int16_t DefaultFileType = 68;

    // The first text field of a file's first line (see firstItem). Empty means an empty
    // file; a file that cannot be read, or whose first field is empty, is Failed.
    // A failure carries the number of its error boxes: 75 for a file that cannot be read,
    // 62 ("Input past end of file") for an empty first field.
    struct FirstField {
        static constexpr int FileAccessError = 75;
        static constexpr int InputPastEnd = 62;
        enum class Status { Read, EmptyFile, Failed } status = Status::Failed;
        QByteArray text;
        QString error;
        int errorNumber = FileAccessError;
    };
    static FirstField ReadFirstField(const QString& path);

    // The path itself when it names an existing file, else an existing file in the same
    // folder whose name differs only in case, else the path unchanged.
    static QString ExistingCaseVariant(const QString& path);

private:
    static std::optional<QByteArray> firstItem(const QByteArray& head);
};

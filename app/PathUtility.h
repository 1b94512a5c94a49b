#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Path helpers for the development tool's project files.
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

private:
    static std::optional<QByteArray> firstItem(const QByteArray& head);
};

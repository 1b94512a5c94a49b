#pragma once

#include <QString>
#include <optional>

// The file open and save dialogs, so the File commands can run without a window.
// Filters come in the form "Description(*.ext)|*.ext|", the first one selected.
// Each call answers the chosen full path, or nothing when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The chosen file must exist; no read-only box.
    virtual std::optional<QString> openFile(const QString& filter, const QString& initialName) = 0;
    // Asks before replacing an existing file; no read-only box. A name typed without
    // extension is returned as typed.
    virtual std::optional<QString> saveFile(const QString& filter, const QString& initialName) = 0;
};

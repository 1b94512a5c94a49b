#pragma once

#include <QStringList>

#include "FileDialogs.h"

class QFileDialog;

// The file dialogs on screen, over the active window.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString& filter, const QString& initialName) override;
    std::optional<QString> saveFile(const QString& filter, const QString& initialName) override;

    // "Setup Files(*.sdt)|*.sdt|" as the dialog's name filters: one per description and
    // pattern pair, the pattern added in parentheses when the description lacks it.
    static QStringList nameFilters(const QString& filter);

    // Where the dialog starts. A name with a wildcard ("folder/*.sdt") lists that folder;
    // any other name is proposed as the file.
    struct Start {
        QString folder;
        QString file;
    };
    static Start startFor(const QString& initialName);

private:
    static std::optional<QString> run(QFileDialog& dialog, const QString& filter,
                                      const QString& initialName);
};

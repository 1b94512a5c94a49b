#include "QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

QStringList QtFileDialogs::nameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        if (description.contains(QLatin1Char('(')) && description.endsWith(QLatin1Char(')')))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

QtFileDialogs::Start QtFileDialogs::startFor(const QString& initialName) {
    if (initialName.isEmpty())
        return {};
    const QFileInfo info(initialName);
    if (info.fileName().contains(QLatin1Char('*')) || info.fileName().contains(QLatin1Char('?')))
        return {info.absolutePath(), QString()};
    return {info.absolutePath(), info.fileName()};
}

std::optional<QString> QtFileDialogs::run(QFileDialog& dialog, const QString& filter,
                                          const QString& initialName) {
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    const Start start = startFor(initialName);
    if (!start.folder.isEmpty())
        dialog.setDirectory(start.folder);
    if (!start.file.isEmpty())
        dialog.selectFile(start.file);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtFileDialogs::openFile(const QString& filter, const QString& initialName) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, filter, initialName);
}

// No default suffix: a name typed without extension is used as typed.
std::optional<QString> QtFileDialogs::saveFile(const QString& filter, const QString& initialName) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, filter, initialName);
}

#pragma once

#include <QDir>
#include <QString>

// The program's support folder beside the executable, found whatever the case of its name, and
// the one case-insensitive lookup of the application folder's files and folders: folders
// copied from other systems may differ in case.
class SupportFolder {
public:
    // The existing folder ("Support", "support", ...) or, when none exists, <app>/Support.
    static QString path(const QString& applicationFolder);
    // A file inside it, e.g. file(app, "RSPort.cfg").
    static QString file(const QString& applicationFolder, const QString& name);
    // A file shipped with the program, e.g. the fault texts: the user's own copy in the
    // application folder when there is one, else the shipped one.
    static QString shippedFile(const QString& applicationFolder, const QString& shippedFolder,
                               const QString& name);
    // The entry `name` of `folder` of the given kind (QDir::Dirs or QDir::Files): the exact
    // name when it exists, else the first of any case; empty when there is none.
    static QString findEntry(const QString& folder, const QString& name, QDir::Filters kind);
};

#pragma once

#include <QString>

// The program's support folder beside the executable, found whatever the case of its name.
class SupportFolder {
public:
    // The existing folder ("Support", "support", ...) or, when none exists, <app>/Support.
    static QString path(const QString& applicationFolder);
    // A file inside it, e.g. file(app, "RSPort.cfg").
    static QString file(const QString& applicationFolder, const QString& name);
};

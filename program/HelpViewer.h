#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The program's help window: the HTML pages of the Help folder with Contents, Back and
// Forward.
class HelpViewer final : public QWidget {
    Q_OBJECT

public:
    explicit HelpViewer(QString applicationFolder, QWidget* parent = nullptr);

    // Opens `page` (a file of the Help folder, optionally with "#anchor") in the viewer
    // already open for `parent`, or in a new one.
    static HelpViewer* open(const QString& applicationFolder, const QString& page, QWidget* parent);
    static HelpViewer* openContents(const QString& applicationFolder, QWidget* parent);

    void showPage(const QString& page);
    void showContents();

private:
    void showTitle();

    QString appFolder_;
    QTextBrowser* brwHelp_ = nullptr;
    QPushButton* cmdContents_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdForward_ = nullptr;
};

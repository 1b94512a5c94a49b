#pragma once

#include <QDialog>

#include "AppLayout.h"

class QFrame;
class QLabel;
class QPushButton;

// The About box: icon, title, version, description and technical support, with OK and a
// button that opens the program's system information window.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(AppLayout layout, QWidget* parent = nullptr);

    // Shows the box modeless, or brings forward the one already open for `parent`.
    static frmAbout* showModeless(const AppLayout& layout, QWidget* parent);

    // Opens the system information window beside the box.
    void StartSysInfo();

private:
    void buildControls();
    QLabel* label(const QString& name, const QString& text);
    QFrame* line(int index);
    void centerOnScreen();

    AppLayout layout_;
};

#pragma once

#include <QDialog>

#include "SerialPortCatalog.h"

class QPlainTextEdit;

// The program's system information window: the installation, the port settings and the
// serial ports, as text that can be copied into a service report.
class frmSystemInfo final : public QDialog {
    Q_OBJECT

public:
    frmSystemInfo(QString applicationFolder, QWidget* parent = nullptr,
                  SerialPortCatalog::Lister portLister = SerialPortCatalog::systemPorts);

    // Shows the window modeless, or refreshes and brings forward the one open for `parent`.
    static frmSystemInfo* showModeless(const QString& applicationFolder, QWidget* parent);

    void refresh();

private:
    void copyToClipboard();

    QString appFolder_;
    SerialPortCatalog::Lister portLister_;
    QPlainTextEdit* txtSysInfo_ = nullptr;
};

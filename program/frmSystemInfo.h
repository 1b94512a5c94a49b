#pragma once

#include <QDialog>

#include "AppLayout.h"
#include "SerialPortCatalog.h"

class QPlainTextEdit;

// The program's system information window: the installation, the port settings and the
// serial ports, as text that can be copied into a service report.
class frmSystemInfo final : public QDialog {
    Q_OBJECT

public:
    frmSystemInfo(AppLayout layout, QWidget* parent = nullptr,
                  SerialPortCatalog::Lister portLister = SerialPortCatalog::systemPorts);

    // Shows the window modeless, or refreshes and brings forward the one open for `parent`.
    static frmSystemInfo* showModeless(const AppLayout& layout, QWidget* parent);

    void refresh();

private:
    void copyToClipboard();

    AppLayout layout_;
    SerialPortCatalog::Lister portLister_;
    QPlainTextEdit* txtSysInfo_ = nullptr;
};

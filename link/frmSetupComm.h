#pragma once

#include <QDialog>
#include <QStringList>

#include "SerialPortCatalog.h"

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class Prompter;
class RSComm;
class SerialPort;

// "Comm Port Settings": the port number and speed of the link, kept in RSPort.cfg and in the
// development tool's TEKORA.SFG files. Saving closes the link first and opens it again when
// the program was online. Beside the number the dialog shows the device that number opens,
// and it lists the serial ports of this computer.
class frmSetupComm final : public QDialog {
    Q_OBJECT

public:
    frmSetupComm(RSComm& TargetComm, SerialPort& CommControl, Prompter& prompter,
                 QWidget* parent = nullptr,
                 SerialPortCatalog::Lister portLister = SerialPortCatalog::systemPorts);

    // Shows the dialog modally; returns when it has closed.
    static void showModal(RSComm& TargetComm, SerialPort& CommControl, Prompter& prompter,
                          QWidget* parent);

    // The development tool's settings folders beside the program, in the order they are written.
    static QStringList toolFolderNames();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildPortFrame();
    QGroupBox* buildSpeedFrame();
    QGroupBox* buildPortListFrame();
    void centerOnScreen();

    void CurrentSettings();
    bool txtCommPort_Validate();
    void txtCommPort_Change();
    void updCommPort_Change(int value);
    bool upDownHasFocus() const;
    bool stepKey(QObject* watched, QKeyEvent* event);
    void cmdSave_Click();
    void lstSerialPorts_Activate(QTreeWidgetItem* item);

    void showPortDevice();
    void listSerialPorts();
    int portToSave() const;
    bool writeToolFiles(int port, QString* error) const;
    void reportError(const QString& title, const QString& description);

    RSComm& TargetComm_;
    SerialPort& CommControl_;
    Prompter& prompter_;
    SerialPortCatalog catalog_;
    bool WasOnline_ = false;
    bool validating_ = false;

    QGroupBox* fraCommPort_ = nullptr;
    QLineEdit* txtCommPort_ = nullptr;
    QSpinBox* updCommPort_ = nullptr;
    QLabel* lblPortDevice_ = nullptr;
    QGroupBox* fraPortSpeed_ = nullptr;
    QRadioButton* optPortSpeed_[2] = {nullptr, nullptr};
    QTreeWidget* lstSerialPorts_ = nullptr;
    QPushButton* cmdRefreshPorts_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

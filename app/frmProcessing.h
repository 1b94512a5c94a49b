#pragma once

#include <QDialog>
#include <cstdint>

class DataTransfer;
class QLabel;
class QProgressBar;
class QPushButton;

// The modal dialog a data transfer runs in: status line, progress bar and Cancel. It starts
// the transfer when it is first shown and closes itself when the transfer is over.
class frmProcessing final : public QDialog {
    Q_OBJECT
public:
    frmProcessing(DataTransfer& transfer, std::int16_t processMode, QWidget* parent = nullptr);

    // Closing the window while the transfer runs asks for Cancel instead.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();

    DataTransfer& transfer_;
    QLabel* lblProcessing_;
    QProgressBar* prgProcessing_;
    QPushButton* cmdCancel_;
    bool started_ = false;
    bool finished_ = false;
};

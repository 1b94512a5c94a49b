#pragma once

#include <QDialog>
#include <QTimer>

class QGroupBox;
class QLabel;
class RSComm;

// The small progress window of a program download (mode 0) or upload (mode 1): shown
// modally, it runs the link's transfer from its activation and closes when it ends.
class frmDownloadProg final : public QDialog {
    Q_OBJECT

public:
    static constexpr int DownloadMode = 0;
    static constexpr int UploadMode = 1;
    static constexpr int TimerIntervalMs = 250;

    explicit frmDownloadProg(RSComm& targetComm, QWidget* parent = nullptr);

    void SetTransferMode(int Mode = DownloadMode);
    int transferMode() const { return mode_; }
    // One tick of Timer1: the label follows the transfer.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    // The transfer cannot be interrupted; the close box waits for it.
    void reject() override;

private:
    void Form_Activate();
    void centerOnScreen();

    RSComm& targetComm_;
    QGroupBox* fraWaitDisplay_;
    QLabel* lblWaitDisplay_;
    QTimer Timer1_;
    int mode_ = DownloadMode;
    bool activated_ = false;
    bool finished_ = false;
};

#include "frmDownloadProg.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "RSComm.h"

frmDownloadProg::frmDownloadProg(RSComm& targetComm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      targetComm_(targetComm), fraWaitDisplay_(new QGroupBox(this)),
      lblWaitDisplay_(new QLabel(QStringLiteral("Sending Program at Address: 0000H"))),
      Timer1_(this) {
    setObjectName(QStringLiteral("frmDownloadProg"));
    setWindowTitle(QString());
    setModal(true);
    fraWaitDisplay_->setObjectName(QStringLiteral("fraWaitDisplay"));
    lblWaitDisplay_->setObjectName(QStringLiteral("lblWaitDisplay"));
    lblWaitDisplay_->setMinimumWidth(320);
    auto* frameLayout = new QVBoxLayout(fraWaitDisplay_);
    frameLayout->addWidget(lblWaitDisplay_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraWaitDisplay_);
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer1_.setInterval(TimerIntervalMs);
    connect(&Timer1_, &QTimer::timeout, this, &frmDownloadProg::Timer1_Timer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmDownloadProg::SetTransferMode(int Mode) {
    mode_ = Mode;
}

void frmDownloadProg::centerOnScreen() {
    adjustSize();
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (screen)
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void frmDownloadProg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    lblWaitDisplay_->setText(mode_ == UploadMode ? QStringLiteral("Reading Program at Address: ")
                                                 : QStringLiteral("Sending Program at Address: "));
    centerOnScreen();
    // The transfer starts once the window is on screen, from the event loop of its modal show.
    QTimer::singleShot(0, this, &frmDownloadProg::Form_Activate);
}

void frmDownloadProg::Form_Activate() {
    Timer1_.start();
    if (mode_ == UploadMode)
        targetComm_.UploadProgram();
    else
        targetComm_.DumpProgram();
    Timer1_.stop();
    mode_ = DownloadMode;
    QCoreApplication::processEvents();
    finished_ = true;
    accept();
}

void frmDownloadProg::reject() {
    if (finished_)
        QDialog::reject();
}

void frmDownloadProg::Timer1_Timer() {
    if (mode_ == DownloadMode && targetComm_.InProgramMode()) {
        lblWaitDisplay_->setText(targetComm_.WritingIdent()
                                     ? QStringLiteral("Writing Program Ident ... ")
                                     : QStringLiteral("Writing to Program Address: ") +
                                           targetComm_.CurrentProgramAdd());
    } else if (mode_ == UploadMode && targetComm_.InUploadMode()) {
        lblWaitDisplay_->setText(targetComm_.ReadingIdent()
                                     ? QStringLiteral("Reading Program Ident ... ")
                                     : QStringLiteral("Reading From Program Address: ") +
                                           targetComm_.CurrentProgramAdd());
    }
}

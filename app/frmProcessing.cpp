#include "frmProcessing.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "CenterForm.h"
#include "DataTransfer.h"

frmProcessing::frmProcessing(DataTransfer& transfer, std::int16_t processMode, QWidget* parent)
    : QDialog(parent), transfer_(transfer) {
    setObjectName(QStringLiteral("frmProcessing"));
    setWindowTitle(QStringLiteral("VORNA7"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* fraProcessing = new QGroupBox(QStringLiteral("Processing Request:"), this);
    fraProcessing->setObjectName(QStringLiteral("fraProcessing"));
    lblProcessing_ = new QLabel(DataTransfer::StatusAtLoad(processMode), fraProcessing);
    lblProcessing_->setObjectName(QStringLiteral("lblProcessing"));
    prgProcessing_ = new QProgressBar(fraProcessing);
    prgProcessing_->setObjectName(QStringLiteral("prgProcessing"));
    prgProcessing_->setRange(0, DataTransfer::ProgressMaximum(processMode));
    prgProcessing_->setValue(0);
    auto* frame = new QVBoxLayout(fraProcessing);
    frame->addWidget(lblProcessing_);
    frame->addWidget(prgProcessing_);

    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { transfer_.cmdCancel_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraProcessing);
    layout->addWidget(cmdCancel_, 0, Qt::AlignHCenter);
    setFixedSize(420, sizeHint().height());
    CenterForm(*this);

    transfer_.setView({
        [] { QCoreApplication::processEvents(); },
        [this](const QString& status) { lblProcessing_->setText(status); },
        [this](int value) { prgProcessing_->setValue(value); },
    });
}

void frmProcessing::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        QTimer::singleShot(0, this, &frmProcessing::Form_Activate);
    }
}

void frmProcessing::Form_Activate() {
    QCoreApplication::processEvents();
    transfer_.RunProcess();
    finished_ = true;
    transfer_.setView({});
    accept();
}

void frmProcessing::reject() {
    if (finished_)
        QDialog::reject();
    else
        transfer_.cmdCancel_Click();
}

#include "frmSystemInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AboutText.h"
#include "SystemInfoReport.h"

frmSystemInfo::frmSystemInfo(AppLayout layout, QWidget* parent,
                             SerialPortCatalog::Lister portLister)
    : QDialog(parent), layout_(std::move(layout)), portLister_(std::move(portLister)) {
    setObjectName(QStringLiteral("frmSystemInfo"));
    setWindowTitle(AboutText::title() + QStringLiteral(" System Information"));

    txtSysInfo_ = new QPlainTextEdit(this);
    txtSysInfo_->setObjectName(QStringLiteral("txtSysInfo"));
    txtSysInfo_->setReadOnly(true);
    txtSysInfo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSysInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* cmdRefresh = new QPushButton(QStringLiteral("&Refresh"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmSystemInfo::refresh);
    auto* cmdCopy = new QPushButton(QStringLiteral("&Copy"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setAutoDefault(false);
    connect(cmdCopy, &QPushButton::clicked, this, &frmSystemInfo::copyToClipboard);
    auto* cmdClose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &frmSystemInfo::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRefresh);
    buttons->addWidget(cmdCopy);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(txtSysInfo_, 1);
    column->addLayout(buttons);
    resize(720, 520);
    refresh();
}

frmSystemInfo* frmSystemInfo::showModeless(const AppLayout& layout, QWidget* parent) {
    frmSystemInfo* window =
        parent ? parent->findChild<frmSystemInfo*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (window) {
        window->refresh();
    } else {
        window = new frmSystemInfo(layout, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void frmSystemInfo::refresh() {
    txtSysInfo_->setPlainText(SystemInfoReport(layout_, portLister_).text());
}

void frmSystemInfo::copyToClipboard() {
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(txtSysInfo_->toPlainText());
}

#include "HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "AboutText.h"
#include "HelpPages.h"

HelpViewer::HelpViewer(QString applicationFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), appFolder_(std::move(applicationFolder)) {
    setObjectName(QStringLiteral("HelpViewer"));

    brwHelp_ = new QTextBrowser(this);
    brwHelp_->setObjectName(QStringLiteral("brwHelp"));
    brwHelp_->setOpenExternalLinks(true);
    brwHelp_->setSearchPaths({HelpPages::folder(appFolder_)});

    cmdContents_ = new QPushButton(QStringLiteral("&Contents"), this);
    cmdContents_->setObjectName(QStringLiteral("cmdContents"));
    cmdBack_ = new QPushButton(QStringLiteral("&Back"), this);
    cmdBack_->setObjectName(QStringLiteral("cmdBack"));
    cmdBack_->setEnabled(false);
    cmdForward_ = new QPushButton(QStringLiteral("&Forward"), this);
    cmdForward_->setObjectName(QStringLiteral("cmdForward"));
    cmdForward_->setEnabled(false);

    connect(cmdContents_, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(cmdBack_, &QPushButton::clicked, brwHelp_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, brwHelp_, &QTextBrowser::forward);
    connect(brwHelp_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(brwHelp_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    connect(brwHelp_, &QTextBrowser::sourceChanged, this, &HelpViewer::showTitle);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents_);
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(brwHelp_, 1);
    resize(760, 600);
    showTitle();
}

HelpViewer* HelpViewer::open(const QString& applicationFolder, const QString& page,
                             QWidget* parent) {
    HelpViewer* viewer =
        parent ? parent->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!viewer) {
        viewer = new HelpViewer(applicationFolder, parent);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer->showPage(page);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

HelpViewer* HelpViewer::openContents(const QString& applicationFolder, QWidget* parent) {
    return open(applicationFolder, HelpPages::contentsPage(), parent);
}

void HelpViewer::showPage(const QString& page) {
    const QUrl url = HelpPages::url(appFolder_, page);
    if (!QFileInfo::exists(url.toLocalFile())) {
        // A damaged installation: say so instead of showing an empty window.
        brwHelp_->setHtml(
            QStringLiteral("<h1>Help page not found</h1><p>The help file <b>%1</b> is missing. "
                           "Copy the Help folder of the installation beside the program again.</p>")
                .arg(QDir::toNativeSeparators(url.toLocalFile()).toHtmlEscaped()));
        showTitle();
        return;
    }
    brwHelp_->setSource(url);
}

void HelpViewer::showContents() {
    showPage(HelpPages::contentsPage());
}

void HelpViewer::showTitle() {
    const QString title = brwHelp_->documentTitle();
    setWindowTitle(title.isEmpty() ? AboutText::title() + QStringLiteral(" Help")
                                   : AboutText::title() + QStringLiteral(" Help - ") + title);
}

#include "frmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "AboutText.h"
#include "frmSystemInfo.h"

namespace {

// Wrapped labels need a fixed width for the box to size itself to their text.
constexpr int TextWidth = 400;

} // namespace

frmAbout::frmAbout(AppLayout layout, QWidget* parent)
    : QDialog(parent), layout_(std::move(layout)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AboutText::caption());
    buildControls();
    centerOnScreen();
}

frmAbout* frmAbout::showModeless(const AppLayout& layout, QWidget* parent) {
    frmAbout* box =
        parent ? parent->findChild<frmAbout*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!box) {
        box = new frmAbout(layout, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

QLabel* frmAbout::label(const QString& name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setFixedWidth(TextWidth);
    return label;
}

QFrame* frmAbout::line(int index) {
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1(%1)").arg(index));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void frmAbout::buildControls() {
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    picIcon->setPixmap(icon.pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* lblTitle = label(QStringLiteral("lblTitle"), AboutText::title());
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::close);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(label(QStringLiteral("lblVersion"), AboutText::version()));
    texts->addWidget(line(0));
    texts->addWidget(label(QStringLiteral("lblDescription"), AboutText::description()));
    texts->addWidget(line(1));
    texts->addWidget(label(QStringLiteral("lblTechSupport"), AboutText::techSupport()));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picIcon, 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::centerOnScreen() {
    adjustSize();
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        return;
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void frmAbout::StartSysInfo() {
    // The information window outlives the box: it belongs to the box's owner.
    frmSystemInfo::showModeless(layout_, parentWidget());
}

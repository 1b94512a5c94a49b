#include "frmSetupComm.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "CommSettings.h"
#include "Numbers.h"
#include "Prompter.h"
#include "RSComm.h"
#include "SupportFolder.h"

namespace {

const QString ToolPortFile = QStringLiteral("TEKORA.SFG");

// Rounded half to even, then fitted into lo..hi.
int wholeInRange(double value, int lo, int hi) {
    const double whole = Numbers::roundHalfEven(value);
    if (!(whole >= lo))
        return lo;
    if (whole > hi)
        return hi;
    return static_cast<int>(whole);
}

} // namespace

frmSetupComm::frmSetupComm(RSComm& TargetComm, SerialPort& CommControl, Prompter& prompter,
                           QWidget* parent, SerialPortCatalog::Lister portLister)
    : QDialog(parent), TargetComm_(TargetComm), CommControl_(CommControl), prompter_(prompter),
      catalog_(TargetComm.applicationFolder(), std::move(portLister)) {
    setObjectName(QStringLiteral("frmSetupComm"));
    setWindowTitle(QStringLiteral("Comm Port Settings"));
    buildControls();
    WasOnline_ = TargetComm_.OnlineMode;
    CurrentSettings();
    listSerialPorts();
    centerOnScreen();
}

void frmSetupComm::showModal(RSComm& TargetComm, SerialPort& CommControl, Prompter& prompter,
                             QWidget* parent) {
    frmSetupComm dialog(TargetComm, CommControl, prompter, parent);
    dialog.exec();
}

QStringList frmSetupComm::toolFolderNames() {
    return {QStringLiteral("TEK51"), QStringLiteral("TEK96"), QStringLiteral("PLS51")};
}

// ---------------------------------------------------------------------------------------------
// Controls

void frmSetupComm::buildControls() {
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(buildPortFrame(), 1);
    settingsRow->addWidget(buildSpeedFrame());

    cmdSave_ = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    // Clicking a button leaves the focus in the entry box: Save checks the entry itself,
    // and Cancel must always be able to leave.
    cmdSave_->setFocusPolicy(Qt::TabFocus);
    cmdCancel_->setFocusPolicy(Qt::TabFocus);
    cmdSave_->setDefault(true);
    cmdSave_->installEventFilter(this);
    connect(cmdSave_, &QPushButton::clicked, this, &frmSetupComm::cmdSave_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSetupComm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settingsRow);
    layout->addWidget(buildPortListFrame(), 1);
    layout->addLayout(buttons);
}

QGroupBox* frmSetupComm::buildPortFrame() {
    fraCommPort_ = new QGroupBox(QStringLiteral("Comm Port"), this);
    fraCommPort_->setObjectName(QStringLiteral("fraCommPort"));

    txtCommPort_ = new QLineEdit(fraCommPort_);
    txtCommPort_->setObjectName(QStringLiteral("txtCommPort"));
    txtCommPort_->setMaximumWidth(
        txtCommPort_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    txtCommPort_->setText(QStringLiteral("1"));
    txtCommPort_->installEventFilter(this);
    connect(txtCommPort_, &QLineEdit::textChanged, this, &frmSetupComm::txtCommPort_Change);

    // The up-down is only the pair of arrows beside the entry box. It takes the focus by Tab,
    // and then only Up and Down: its own text is hidden behind the arrows.
    updCommPort_ = new QSpinBox(fraCommPort_);
    updCommPort_->setObjectName(QStringLiteral("updCommPort"));
    updCommPort_->setRange(CommSettings::MinPort, CommSettings::MaxPort);
    updCommPort_->setSingleStep(1);
    updCommPort_->setValue(1);
    updCommPort_->setFocusPolicy(Qt::TabFocus);
    updCommPort_->installEventFilter(this);
    txtCommPort_->setAccessibleName(fraCommPort_->title());
    updCommPort_->setAccessibleName(fraCommPort_->title());
    QStyleOptionSpinBox option;
    option.initFrom(updCommPort_);
    option.rect = QRect(0, 0, 100, updCommPort_->sizeHint().height());
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    const QRect up = updCommPort_->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                           QStyle::SC_SpinBoxUp, updCommPort_);
    updCommPort_->setFixedWidth(100 - up.left() + 2);
    connect(updCommPort_, &QSpinBox::valueChanged, this, &frmSetupComm::updCommPort_Change);

    lblPortDevice_ = new QLabel(fraCommPort_);
    lblPortDevice_->setObjectName(QStringLiteral("lblPortDevice"));
    lblPortDevice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPortDevice_->setWordWrap(true);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(0);
    entry->addWidget(txtCommPort_);
    entry->addWidget(updCommPort_);
    auto* row = new QHBoxLayout(fraCommPort_);
    row->addLayout(entry);
    row->addSpacing(12);
    row->addWidget(lblPortDevice_, 1);
    return fraCommPort_;
}

QGroupBox* frmSetupComm::buildSpeedFrame() {
    fraPortSpeed_ = new QGroupBox(QStringLiteral("Port Speed"), this);
    fraPortSpeed_->setObjectName(QStringLiteral("fraPortSpeed"));
    auto* column = new QVBoxLayout(fraPortSpeed_);
    const QString captions[2] = {QStringLiteral("9600"), QStringLiteral("19200")};
    for (int i = 0; i < 2; ++i) {
        optPortSpeed_[i] = new QRadioButton(captions[i], fraPortSpeed_);
        optPortSpeed_[i]->setObjectName(QStringLiteral("optPortSpeed(%1)").arg(i));
        column->addWidget(optPortSpeed_[i]);
    }
    optPortSpeed_[0]->setChecked(true);
    return fraPortSpeed_;
}

QGroupBox* frmSetupComm::buildPortListFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Serial Ports on This Computer"), this);
    frame->setObjectName(QStringLiteral("fraSerialPorts"));
    lstSerialPorts_ = new QTreeWidget(frame);
    lstSerialPorts_->setObjectName(QStringLiteral("lstSerialPorts"));
    lstSerialPorts_->setRootIsDecorated(false);
    lstSerialPorts_->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Description"),
                                      QStringLiteral("USB Id"), QStringLiteral("Port Number")});
    lstSerialPorts_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstSerialPorts_->setToolTip(
        QStringLiteral("Double-click a port that has a port number to choose that number."));
    connect(lstSerialPorts_, &QTreeWidget::itemActivated, this,
            &frmSetupComm::lstSerialPorts_Activate);

    cmdRefreshPorts_ = new QPushButton(QStringLiteral("&Refresh"), frame);
    cmdRefreshPorts_->setObjectName(QStringLiteral("cmdRefreshPorts"));
    cmdRefreshPorts_->setAutoDefault(false);
    connect(cmdRefreshPorts_, &QPushButton::clicked, this, &frmSetupComm::listSerialPorts);

    auto* column = new QVBoxLayout(frame);
    column->addWidget(lstSerialPorts_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cmdRefreshPorts_);
    column->addLayout(row);
    return frame;
}

void frmSetupComm::centerOnScreen() {
    adjustSize();
    resize(qMax(width(), 520), qMax(height(), 320));
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmSetupComm::CurrentSettings() {
    CommSettings settings;
    QString error;
    const QString path = TargetComm_.CommSettingsFile();
    if (settings.read(path, &error) == CommSettings::ReadResult::Failed) {
        prompter_.ask(QStringLiteral("SetupComm CurrentSettings"),
                      CommSettings::errorMessage(error), Prompter::Icon::Information,
                      Prompter::Buttons::OK);
        return;
    }
    const int port = wholeInRange(settings.port, updCommPort_->minimum(), updCommPort_->maximum());
    txtCommPort_->setText(QString::number(port));
    optPortSpeed_[settings.speed == 19200 ? 1 : 0]->setChecked(true);
}

// ---------------------------------------------------------------------------------------------
// The port number entry

bool frmSetupComm::txtCommPort_Validate() {
    const int lo = updCommPort_->minimum();
    const int hi = updCommPort_->maximum();
    const std::optional<double> value = Numbers::numberValue(txtCommPort_->text());
    if (value && *value >= lo && *value <= hi)
        return true;
    validating_ = true;
    prompter_.ask(QStringLiteral("Comm Port"),
                  QStringLiteral("Only a Number Between %1 and %2 can be Entered").arg(lo).arg(hi),
                  Prompter::Icon::Information, Prompter::Buttons::OK);
    validating_ = false;
    txtCommPort_->setFocus(Qt::OtherFocusReason);
    return false;
}

// The arrows step from the number typed so far.
void frmSetupComm::txtCommPort_Change() {
    const std::optional<double> value = Numbers::numberValue(txtCommPort_->text());
    if (value && *value >= updCommPort_->minimum() && *value <= updCommPort_->maximum()) {
        const QSignalBlocker quiet(updCommPort_);
        updCommPort_->setValue(
            wholeInRange(*value, updCommPort_->minimum(), updCommPort_->maximum()));
    }
    showPortDevice();
}

void frmSetupComm::updCommPort_Change(int value) {
    txtCommPort_->setText(QString::number(value));
}

bool frmSetupComm::upDownHasFocus() const {
    return focusWidget() == updCommPort_;
}

// Up or Down in the entry box leaves it for the up-down, which checks the entry first, then
// steps; a refused entry keeps the focus and is not stepped.
bool frmSetupComm::stepKey(QObject* watched, QKeyEvent* event) {
    const int key = event->key();
    const bool step = key == Qt::Key_Up || key == Qt::Key_Down;
    if (watched == txtCommPort_) {
        if (!step)
            return false;
        updCommPort_->setFocus(Qt::TabFocusReason);
    } else if (!step) {
        // Page Up and Page Down and typing do nothing here: only steps of 1.
        return key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
               (!event->text().isEmpty() && event->text().front().isPrint());
    }
    if (upDownHasFocus())
        updCommPort_->stepBy(key == Qt::Key_Up ? 1 : -1);
    return true;
}

bool frmSetupComm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched != cmdSave_)
        return stepKey(watched, static_cast<QKeyEvent*>(event)) ||
               QDialog::eventFilter(watched, event);
    if (watched == txtCommPort_ && event->type() == QEvent::FocusOut && !validating_) {
        // Only the user moving on counts; a message box or another program taking the
        // focus does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
            txtCommPort_Validate();
    } else if (watched == cmdSave_ && !validating_ &&
               (event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonDblClick) &&
               txtCommPort_->hasFocus()) {
        // Clicking Save leaves the entry box, so the entry is checked first; a rejected
        // entry swallows the click.
        if (!txtCommPort_Validate())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmSetupComm::showPortDevice() {
    const std::optional<double> value = Numbers::numberValue(txtCommPort_->text());
    if (!value || *value < updCommPort_->minimum() || *value > updCommPort_->maximum()) {
        lblPortDevice_->setText(QStringLiteral("Enter a port number from %1 to %2.")
                                    .arg(updCommPort_->minimum())
                                    .arg(updCommPort_->maximum()));
        return;
    }
    const int port = wholeInRange(*value, updCommPort_->minimum(), updCommPort_->maximum());
    lblPortDevice_->setText(QStringLiteral("Port %1 opens %2")
                                .arg(port)
                                .arg(SerialPortCatalog::routeText(catalog_.route(port))));
}

// ---------------------------------------------------------------------------------------------
// The ports of this computer

void frmSetupComm::listSerialPorts() {
    lstSerialPorts_->clear();
    const QList<SerialPortCatalog::Entry> entries = catalog_.entries();
    for (const SerialPortCatalog::Entry& entry : entries) {
        QStringList about;
        if (!entry.device.description.isEmpty())
            about.append(entry.device.description);
        if (!entry.device.manufacturer.isEmpty())
            about.append(entry.device.manufacturer);
        if (!entry.listedBySystem)
            about.append(QStringLiteral("reached through a port alias"));
        auto* item = new QTreeWidgetItem(lstSerialPorts_);
        item->setText(0, QDir::toNativeSeparators(entry.device.path));
        item->setText(1, about.join(QStringLiteral(", ")));
        item->setText(2, SerialPortCatalog::usbIds(entry.device));
        item->setText(3, SerialPortCatalog::numbersText(entry.numbers));
        if (!entry.numbers.isEmpty())
            item->setData(3, Qt::UserRole, entry.numbers.first());
    }
    if (entries.isEmpty()) {
        auto* item = new QTreeWidgetItem(lstSerialPorts_);
        item->setText(0, QStringLiteral("No serial ports found."));
    }
    showPortDevice();
}

void frmSetupComm::lstSerialPorts_Activate(QTreeWidgetItem* item) {
    const QVariant number = item ? item->data(3, Qt::UserRole) : QVariant();
    if (number.isValid())
        txtCommPort_->setText(QString::number(number.toInt()));
}

// ---------------------------------------------------------------------------------------------
// Saving

int frmSetupComm::portToSave() const {
    const double value = Numbers::leadingNumber(txtCommPort_->text());
    return wholeInRange(value, updCommPort_->minimum(), updCommPort_->maximum());
}

void frmSetupComm::cmdSave_Click() {
    TargetComm_.CloseRSComm();

    CommSettings settings;
    settings.port = portToSave();
    settings.speed = optPortSpeed_[1]->isChecked() ? 19200 : 9600;
    const QString path = TargetComm_.CommSettingsFile();
    QString error;
    if (!settings.write(path, &error)) {
        reportError(QStringLiteral("SetupComm"), error);
        return;
    }
    if (!writeToolFiles(settings.port, &error)) {
        reportError(QStringLiteral("SetupComm"), error);
        return;
    }

    if (!WasOnline_) {
        accept();
        return;
    }
    TargetComm_.OpenRSComm(CommControl_);
    if (TargetComm_.OnlineMode) {
        accept();
        return;
    }
    // The board did not answer on the new port: stay, so another port can be tried.
    TargetComm_.OnlineMode = false;
}

bool frmSetupComm::writeToolFiles(int port, QString* error) const {
    const QString appFolder = TargetComm_.applicationFolder();
    for (const QString& name : toolFolderNames()) {
        const QString folder = SupportFolder::findEntry(appFolder, name, QDir::Dirs);
        if (folder.isEmpty())
            continue;
        QString path = SupportFolder::findEntry(folder, ToolPortFile, QDir::Files);
        if (path.isEmpty())
            path = QDir(folder).filePath(ToolPortFile);
        QSaveFile file(path);
        bool written = file.open(QIODevice::WriteOnly);
        if (written) {
            file.write(QByteArray::number(port - 1) + "\r\n");
            written = file.commit();
        }
        if (!written) {
            *error =
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
            return false;
        }
    }
    return true;
}

void frmSetupComm::reportError(const QString& title, const QString& description) {
    prompter_.ask(title, CommSettings::errorMessage(description), Prompter::Icon::Information,
                  Prompter::Buttons::OK);
}

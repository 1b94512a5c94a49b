#include "frmBMIO.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "Numbers.h"
#include "StateLabel.h"

namespace {
const char* const FrameCaptions[] = {"K6674", "Timing Channels", "Slot 00", "Slot 01"};

struct ModulePoint {
    const char* caption;
    const char* hover;
    const char* address;
};
const ModulePoint ModulePoints[] = {
    {"IN0:", "Short Can Sensor", "F80"},
    {"IN1:", "Spare", "F81"},
    {"Analog Input 0:", "Spare", "W162"},
    {"Analog Input 1:", "Spare", "W164"},
    {"Analog Output 0:", "Spare", "B166"},
    {"Analog Output 1:", "Trimmer Speed Ref", "B167"},
    {"Resolver POS:", "", "W180"},
    {"Resolver RPM:", "", "W182"},
    {"Resolver Period:", "", "W184"},
    {"Scale Factor:", "", "W186"},
    {"Offset:", "", "W188"},
};
constexpr int FirstNumberPoint = 2;

struct BitGroup {
    const char* nameBase;
    const char* address; // of the word; also its first byte
    const char* hovers[16];
};
const BitGroup BitGroups[] = {
    {"lblTmgChannel",
     "W170",
     {"BDC (Cont./Single) Timing", "BDC (Inch) Timing", "Short Can Check Timing",
      "Sensor Check Timing", "Cupfeed Timing", "Air Strip (Normal) Timing",
      "Air Strip (Initial) Timing", "PLC Clock Timing", "", "Spare", "Spare", "Spare", "Spare",
      "Spare", "Spare", "Spare"}},
    {"lblSlot10",
     "W100",
     {"Flywheel Motion Sensor", "Spare", "Spare", "Spare", "Clutch ON (immediate)",
      "Clutch ON (BDC)", "Cupfeed Auto Enable", "Run Mode (not Bar)", "Continuous Mode",
      "Single Mode", "Inch Mode", "Cupfeed ON Manual", "Alarm Reset", "End of Shift", "Spare",
      "Set-up Enable"}},
    {"lblSlot11",
     "W110",
     {"Main Clutch Solenoid 'A'", "Main Clutch Solenoid 'B'", "Cupfeed ON Solenoid",
      "Cupfeed Off Solenoid", "Air Strip Solenoid", "Spare", "Pulse Train (3-PPS)",
      "Logic Sync (CH07)", "Short Can", "Can Sensor/Timing Fail Alarm",
      "Brake Response Too Long Alarm", "Flywheel At Bar Speed", "Flywheel at Inch Speed",
      "Flywheel at Punch Speed", "Cupfeed is Open", "Spare"}},
};
constexpr int TimingChannels = 0;
constexpr int StateWidth = 48; // "65535" and "off" with room to spare

const QColor OnColour(0, 0, 255);
const QColor OffColour(192, 0, 0);

void setColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void setBackground(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

// The colour the style fills the inside of a frame with, so an opaque label on it shows no box.
QColor frameFillColour() {
    QGroupBox sample;
    sample.resize(64, 64);
    return sample.grab().toImage().pixelColor(32, 40);
}

// Octal-style point numbers: bit 9 of a word is point 11.
int pointNumber(int bit) {
    return bit / 8 * 10 + bit % 8;
}
} // namespace

frmBMIO::frmBMIO(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent)
    : MachineWindow(context, std::move(setOnlineMode), parent), frameFill_(frameFillColour()) {
    setObjectName(QStringLiteral("frmBMIO"));
    setWindowTitle(QStringLiteral("BM I/O Status"));
    auto* grid = new QGridLayout(this);
    for (int f = 0; f < 4; ++f) {
        fraBMIO[f] = new QGroupBox(QLatin1String(FrameCaptions[f]), this);
        fraBMIO[f]->setObjectName(indexedName(QStringLiteral("fraBMIO"), f));
        new QGridLayout(fraBMIO[f]);
        grid->addWidget(fraBMIO[f], 0, f);
    }
    grid->addWidget(cmdDefault, 1, 3, Qt::AlignRight);
    buildModuleFrame();
    for (int g = 0; g < BitGroupCount; ++g)
        buildBitFrame(g);
    ApplyMatchingLayout();
}

QLabel* frmBMIO::addPair(QGroupBox* frame, const QString& name, int index, const QString& caption,
                         const QString& nameHover, const QString& initial) {
    auto* layout = static_cast<QGridLayout*>(frame->layout());
    const int row = layout->rowCount();
    auto* nameLabel = new QLabel(caption, frame);
    nameLabel->setObjectName(indexedName(name, index));
    nameLabel->setToolTip(nameHover);
    auto* state = new StateLabel(initial, frame);
    state->setObjectName(indexedName(name + QStringLiteral("State"), index));
    // Every pass changes dozens of these. Opaque and of fixed size, a changed one repaints
    // itself alone: no relayout of its frame, no repaint of the frame and title bar beneath.
    state->setAutoFillBackground(true);
    setBackground(state, frameFill_);
    state->setFixedSize(StateWidth, state->sizeHint().height());
    setColour(state, OnColour);
    layout->addWidget(nameLabel, row, 0);
    layout->addWidget(state, row, 1);
    names_.push_back(nameLabel);
    return state;
}

void frmBMIO::buildModuleFrame() {
    QGroupBox* frame = fraBMIO[0];
    int line = 0;
    for (int i = 0; i < ModuleCount; ++i) {
        const ModulePoint& point = ModulePoints[i];
        // Lines between the inputs, the analog values and the resolver values.
        if (i == FirstNumberPoint || i == 6) {
            auto* separator = new QFrame(frame);
            separator->setObjectName(indexedName(QStringLiteral("Line1"), line++));
            separator->setFrameShape(QFrame::HLine);
            auto* layout = static_cast<QGridLayout*>(frame->layout());
            layout->addWidget(separator, layout->rowCount(), 0, 1, 2);
        }
        WindowAdd.push_back(QLatin1String(point.address));
        QLabel* state = addPair(frame, QStringLiteral("lblk6686"), i, QLatin1String(point.caption),
                                QLatin1String(point.hover),
                                i < FirstNumberPoint ? QStringLiteral("OFF") : QStringLiteral("0"));
        state->setToolTip(QLatin1String(point.address));
        lblk6686State[i] = state;
    }
}

void frmBMIO::buildBitFrame(int group) {
    const BitGroup& bits = BitGroups[group];
    QGroupBox* frame = fraBMIO[static_cast<std::size_t>(group + 1)];
    WindowAdd.push_back(QLatin1String(bits.address));
    const int firstByte = QString::fromLatin1(bits.address).mid(1).toInt();
    for (int j = 0; j < BitCount; ++j) {
        const QString bitAddress = QStringLiteral("B%1.%2").arg(firstByte + j / 8).arg(j % 8);
        const QString number = QString::number(pointNumber(j));
        const QString caption =
            group == TimingChannels
                ? QStringLiteral("CH%1:").arg(number, 2, QLatin1Char('0'))
                : QStringLiteral("(%1)%2%3:")
                      .arg(bitAddress, QString(j < 8 ? 4 : 2, QLatin1Char(' ')), number);
        QLabel* state = addPair(frame, QLatin1String(bits.nameBase), j, caption,
                                QLatin1String(bits.hovers[j]), QStringLiteral("OFF"));
        if (group == TimingChannels)
            state->setToolTip(bitAddress);
        bitStates_[static_cast<std::size_t>(group)][static_cast<std::size_t>(j)] = state;
    }
}

void frmBMIO::applyLayout(bool enabled) {
    for (QGroupBox* frame : fraBMIO)
        frame->setEnabled(enabled);
    for (QLabel* name : names_)
        name->setEnabled(enabled);
    for (QLabel* state : lblk6686State) {
        state->setEnabled(enabled);
        state->setText(QStringLiteral("-"));
    }
    for (BitLabels& group : bitStates_) {
        for (QLabel* state : group) {
            state->setEnabled(enabled);
            state->setText(QStringLiteral("-"));
            setColour(state, OnColour);
        }
    }
}

void frmBMIO::ShowOnlineLayout() {
    applyLayout(true);
    OnlineLayoutShown = true;
}

void frmBMIO::ShowOfflineLayout() {
    applyLayout(false);
    OfflineLayoutShown = true;
}

void frmBMIO::showState(QLabel* label, bool on) {
    const QString text = on ? QStringLiteral("ON") : QStringLiteral("off");
    if (label->text() == text)
        return;
    label->setText(text);
    setColour(label, on ? OnColour : OffColour);
}

void frmBMIO::ShowOnlineValue(int index, const QString& value) {
    if (index < FirstNumberPoint) {
        showState(lblk6686State[static_cast<std::size_t>(index)], value == QStringLiteral("1"));
        return;
    }
    if (index < ModuleCount) {
        lblk6686State[static_cast<std::size_t>(index)]->setText(value);
        return;
    }
    const auto word =
        static_cast<std::uint32_t>(Numbers::toInt32(Numbers::leadingNumber(value)).value_or(0));
    BitLabels& group = bitStates_[static_cast<std::size_t>(index - ModuleCount)];
    for (int j = 0; j < BitCount; ++j)
        showState(group[static_cast<std::size_t>(j)], (word & (1u << j)) != 0);
}

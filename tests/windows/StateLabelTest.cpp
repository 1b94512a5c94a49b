#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

#include "StateLabel.h"

namespace {

void dressAsAState(QLabel& label, Qt::Alignment alignment) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    label.setAlignment(alignment);
    label.setFixedSize(48, 20);
}

// The state label only skips shaping its texts again: what it paints, also as its text comes
// and goes among the ones it keeps, is what a label paints.
TEST(StateLabel, PaintsAsALabelDoes) {
    const Qt::Alignment alignments[] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter,
                                        Qt::AlignRight | Qt::AlignBottom};
    for (const Qt::Alignment alignment : alignments) {
        StateLabel state;
        QLabel label;
        dressAsAState(state, alignment);
        dressAsAState(label, alignment);
        for (const QString text : {"ON", "off", "ON", "-", "65535", "off", "", "ON"}) {
            SCOPED_TRACE(text.toStdString() + " " + std::to_string(alignment.toInt()));
            state.setText(text);
            label.setText(text);
            EXPECT_TRUE(state.grab().toImage() == label.grab().toImage());
        }
    }
}

} // namespace

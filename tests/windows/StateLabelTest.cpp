#include <QImage>
#include <gtest/gtest.h>

#include "StateLabel.h"

// The state label only skips shaping its texts again: what it paints, also as its text comes
// and goes among the ones it keeps, is what a label paints.
TEST(StateLabel, PaintsAsALabelDoes) {
    for (const Qt::Alignment alignment : std::initializer_list<Qt::Alignment>{
             Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter, Qt::AlignRight | Qt::AlignBottom}) {
        StateLabel state;
        QLabel label;
        for (QLabel* each : {static_cast<QLabel*>(&state), &label}) {
            QPalette palette = each->palette();
            palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
            each->setPalette(palette);
            each->setAlignment(alignment);
            each->setFixedSize(48, 20);
        }
        for (const QString text : {"ON", "off", "ON", "-", "65535", "off", "", "ON"}) {
            state.setText(text);
            label.setText(text);
            EXPECT_TRUE(state.grab().toImage() == label.grab().toImage())
                << text.toStdString() << " " << alignment.toInt();
        }
    }
}

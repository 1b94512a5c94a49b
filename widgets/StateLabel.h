#pragma once

#include <QFont>
#include <QLabel>
#include <QTextLayout>
#include <array>
#include <memory>

// A label for a value that changes many times a second among a few short texts (ON, off, a
// number). It keeps its last few texts laid out, so a repaint draws the glyphs without shaping
// the text again; a disabled label paints as any other.
class StateLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct LaidOutText {
        QString text;
        QFont font;
        std::unique_ptr<QTextLayout> layout;
        qreal advance = 0;
        qreal height = 0;
    };
    const LaidOutText& laidOut();

    std::array<LaidOutText, 3> laidOut_;
    std::size_t nextToReplace_ = 0;
};

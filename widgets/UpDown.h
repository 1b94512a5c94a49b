#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QPaintEvent;
class QToolButton;

// The up-down control bound to an entry box: steps the number in the box by 1 between
// Min and Max. Min and Max are also the range the box accepts. It takes the focus by Tab
// (clicking its arrows leaves the focus where it is), and Up and Down step it as its
// arrows do.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    QLineEdit* buddy() const { return buddy_; }

    // One click of an arrow (positive up). The box's number, kept within the range, moves
    // by `steps`; Change follows only when the number really changed.
    void stepBy(int steps);

signals:
    void Change(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int boxValue() const;

    QLineEdit* buddy_;
    int minimum_;
    int maximum_;
    QToolButton* up_;
    QToolButton* down_;
};

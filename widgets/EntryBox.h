#pragma once

#include <QLineEdit>

// A text box that reports the moments the machine windows act on: the focus arriving, a
// click, Enter and Escape (both swallowed), Up and Down (swallowed, for its up-down), any
// other typed character, and the focus about to leave for another control of the window. Focus
// changes caused by other windows (a message box, a menu) are not reported, so a box is validated
// only when the user moves on.
class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);

signals:
    void focusReceived();
    void clicked();
    void enterPressed();
    void escapePressed();
    // +1 for Up, -1 for Down.
    void stepPressed(int steps);
    void otherKeyTyped();
    void leaving();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static bool movedWithinWindow(Qt::FocusReason reason);

    bool holdingFocus_ = false;
};

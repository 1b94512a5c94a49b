#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

class EntryBox;
class Prompter;
class QWidget;
class UpDown;

// A numeric entry box with its up-down, as every machine window uses it: the value held
// when the box got the focus (EditValue), Enter moving on, Escape restoring then abandoning,
// and the range check when the focus is about to leave. The window's shared EscPending flag
// is passed in; what an accepted entry does is the window's business (accepted()).
class NumericEntry : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString messageTitle = QStringLiteral("Set-up");
        // The check runs once more after the focus has left (it stores and writes again).
        bool validateAgainAfterLeaving = false;
        // Where Enter sends the focus; none moves it on as the Tab key does.
        QWidget* enterTarget = nullptr;
        // A text the box may hold and leave with, unchecked and without acceptance.
        QString passedUnchecked;
    };

    // Creates `boxName(index)` and `upDownName(index)` as children of `parent`.
    NumericEntry(const QString& boxName, const QString& upDownName, int index, int minimum,
                 int maximum, bool& escPending, Prompter& prompter, QWidget* cmdDefault,
                 QWidget* parent, Options options);
    NumericEntry(const QString& boxName, const QString& upDownName, int index, int minimum,
                 int maximum, bool& escPending, Prompter& prompter, QWidget* cmdDefault,
                 QWidget* parent)
        : NumericEntry(boxName, upDownName, index, minimum, maximum, escPending, prompter,
                       cmdDefault, parent, Options()) {}

    EntryBox* box() const { return box_; }
    UpDown* upDown() const { return upDown_; }
    int index() const { return index_; }
    void setEnabled(bool enabled);
    // The box and the up-down are named for a screen reader by their label's caption, without
    // the accelerator's "&".
    void setAccessibleName(const QString& caption);

    // The up-down change paths take the focus out of the box to cmdDefault; an up-down stepped
    // from the keyboard keeps it, so the next key steps again.
    void parkFocus();

    std::int32_t EditValue = 0;

    // The range check with its message; true when the entry is accepted.
    bool Validate();

    static QString rangeMessage(int lo, int hi);
    // Refuses the entry with the window's own message: the box keeps the focus and EditValue.
    void reject(const QString& message);

signals:
    // Focus received or click, before EditValue is taken (windows mark the box as edited).
    void focusReceived();
    // After EditValue is taken and before the text is selected (a window may rewrite it).
    void editValueTaken();
    // Second Escape, before the focus moves to cmdDefault.
    void abandoning();
    void accepted();
    void upDownChanged();

private:
    void takeFocus();
    void pressEnter();
    void pressEscape();
    void stepFromBox(int steps);
    void leave();

    EntryBox* box_;
    UpDown* upDown_;
    int index_;
    bool& escPending_;
    Prompter& prompter_;
    QPointer<QWidget> cmdDefault_;
    Options options_;
    bool refocusing_ = false;
};

#include "NumericEntry.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "EntryBox.h"
#include "Numbers.h"
#include "Prompter.h"
#include "UpDown.h"

namespace {
QString indexed(const QString& name, int index) {
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

// "&&" stands for one "&".
QString withoutAccelerator(const QString& caption) {
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        text += caption[i];
    }
    return text;
}
} // namespace

NumericEntry::NumericEntry(const QString& boxName, const QString& upDownName, int index,
                           int minimum, int maximum, bool& escPending, Prompter& prompter,
                           QWidget* cmdDefault, QWidget* parent, Options options)
    : QObject(parent), box_(new EntryBox(parent)),
      upDown_(new UpDown(box_, minimum, maximum, parent)), index_(index), escPending_(escPending),
      prompter_(prompter), cmdDefault_(cmdDefault), options_(std::move(options)) {
    box_->setObjectName(indexed(boxName, index));
    upDown_->setObjectName(indexed(upDownName, index));
    connect(box_, &EntryBox::focusReceived, this, &NumericEntry::takeFocus);
    connect(box_, &EntryBox::clicked, this, &NumericEntry::takeFocus);
    connect(box_, &EntryBox::enterPressed, this, &NumericEntry::pressEnter);
    connect(box_, &EntryBox::escapePressed, this, &NumericEntry::pressEscape);
    connect(box_, &EntryBox::stepPressed, this, &NumericEntry::stepFromBox);
    connect(box_, &EntryBox::otherKeyTyped, this, [this] { escPending_ = false; });
    connect(box_, &EntryBox::leaving, this, &NumericEntry::leave);
    connect(upDown_, &UpDown::Change, this, &NumericEntry::upDownChanged);
}

void NumericEntry::setEnabled(bool enabled) {
    box_->setEnabled(enabled);
    upDown_->setEnabled(enabled);
}

void NumericEntry::setAccessibleName(const QString& caption) {
    const QString name = withoutAccelerator(caption);
    box_->setAccessibleName(name);
    upDown_->setAccessibleName(name);
}

void NumericEntry::parkFocus() {
    if (box_->window()->focusWidget() == upDown_)
        return;
    if (cmdDefault_)
        cmdDefault_->setFocus(Qt::OtherFocusReason);
}

QString NumericEntry::rangeMessage(int lo, int hi) {
    return QStringLiteral("Only a Number Between ") + QString::number(lo) +
           QStringLiteral(" and ") + QString::number(hi) + QStringLiteral(" can be Entered");
}

void NumericEntry::takeFocus() {
    if (refocusing_)
        return;
    emit focusReceived();
    escPending_ = false;
    EditValue = Numbers::toInt32(Numbers::leadingNumber(box_->text())).value_or(0);
    emit editValueTaken();
    box_->selectAll();
}

// Enter is a Tab key press sent to the box, unless the window names another target.
void NumericEntry::pressEnter() {
    escPending_ = false;
    if (options_.enterTarget) {
        options_.enterTarget->setFocus(Qt::TabFocusReason);
        return;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(box_, &tab);
}

void NumericEntry::pressEscape() {
    box_->setText(QString::number(EditValue));
    if (escPending_) {
        escPending_ = false;
        emit abandoning();
        if (cmdDefault_)
            cmdDefault_->setFocus(Qt::OtherFocusReason);
        return;
    }
    escPending_ = true;
    box_->selectAll();
}

// Up or Down in the box: the box is left for its up-down, which checks the entry as leaving
// does, and the up-down then steps through the window's own change path. A refused entry
// keeps the focus and is not stepped.
void NumericEntry::stepFromBox(int steps) {
    upDown_->setFocus(Qt::TabFocusReason);
    if (box_->window()->focusWidget() == upDown_)
        upDown_->stepBy(steps);
}

void NumericEntry::leave() {
    if (Validate() && options_.validateAgainAfterLeaving)
        Validate();
}

bool NumericEntry::Validate() {
    const int lo = upDown_->minimum();
    const int hi = upDown_->maximum();
    escPending_ = false;
    if (!options_.passedUnchecked.isEmpty() && box_->text() == options_.passedUnchecked)
        return true;
    const std::optional<double> value = Numbers::numberValue(box_->text());
    if (!value || *value < lo || *value > hi) {
        reject(rangeMessage(lo, hi));
        return false;
    }
    emit accepted();
    return true;
}

// The message comes first, so the operator sees the rejected entry behind it; then the old
// value is restored and the focus taken back. Getting the focus back is not a new arrival.
void NumericEntry::reject(const QString& message) {
    prompter_.ask(options_.messageTitle, message, Prompter::Icon::Information,
                  Prompter::Buttons::OK);
    box_->setText(QString::number(EditValue));
    if (box_->isEnabled()) {
        refocusing_ = true;
        box_->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
    }
    box_->selectAll();
}

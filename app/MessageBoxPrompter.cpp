#include "MessageBoxPrompter.h"

#include <QApplication>
#include <QPushButton>

QMessageBox::Icon MessageBoxPrompter::boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons MessageBoxPrompter::boxButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return QMessageBox::Ok;
    case Buttons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

int MessageBoxPrompter::answerCode(QMessageBox::StandardButton clicked, Buttons buttons) {
    switch (clicked) {
    case QMessageBox::Ok:
        return OK;
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Abort:
        return Abort;
    case QMessageBox::Retry:
        return Retry;
    case QMessageBox::Ignore:
        return Ignore;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        break;
    }
    const QMessageBox::StandardButtons offered = boxButtons(buttons);
    if (offered & QMessageBox::Cancel)
        return Cancel;
    if (offered & QMessageBox::No)
        return No;
    if (offered & QMessageBox::Abort)
        return Abort;
    return OK;
}

QString MessageBoxPrompter::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

int MessageBoxPrompter::ask(const QString& title, const QString& text, Icon icon, Buttons buttons) {
    QMessageBox box(boxIcon(icon), title, displayText(text), boxButtons(buttons),
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return answerCode(box.standardButton(box.clickedButton()), buttons);
}

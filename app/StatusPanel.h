#pragma once

#include <QLabel>

// One panel of the main window's status bar; it reports a double click.
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    StatusPanel(const QString& key, const QString& text, QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

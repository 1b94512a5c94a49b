#pragma once

#include <QObject>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>

// Window tests find controls by name; a missing one fails the test.
template <typename T = QWidget> T* child(const QObject* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

inline void click(const QObject* window, const QString& button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Readable gtest failure output for Qt strings and byte arrays.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '[' << bytes.toHex(' ').toStdString() << ']';
}

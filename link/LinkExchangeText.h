#pragma once

#include <QString>

#include "LinkExchange.h"

// How an exchange reads to a person: the names of the operations, the bytes in hexadecimal,
// the outcome, and the line that holds them all. The link monitor and the command-line
// trace both print through here, so a trace from the field reads like the window.
namespace LinkExchangeText {

// Operation names.
QString lineOpen();
QString lineClose();
QString read(const QString& address);
QString write(const QString& address, const QString& value);
QString plsWordRead(int command);
QString plsWordWrite(int command, long value);
QString plsChannel(int command, int channel, int a, int b, int flag);
QString plsConfigDownload(int group);
QString plsConfigUpload();
QString plsRecall(int channel, int step);
QString identRead();
QString identWrite();
QString programAttention();
QString programModeEnter();
QString programRecord(const QString& address);
QString programModeExit();

// Columns.
QString time(const LinkExchange& exchange); // milliseconds, 0.1 ms resolution
QString marker(const LinkExchange& exchange);
QString hex(const QByteArray& bytes);
QString outcome(const LinkExchange& exchange);

// One exchange a line, columns separated by tabs.
QString line(const LinkExchange& exchange);
QString columnHeadings();

} // namespace LinkExchangeText

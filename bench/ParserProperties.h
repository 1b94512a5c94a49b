#pragma once

#include <QByteArray>

// What each parser promises whatever it reads, checked on one input. The fuzz targets
// (fuzz_parsers.cpp, built by scripts/fuzz-parsers.sh) stop on a broken promise; the tests
// replay the kept corpora through the same checks. Each returns null when the promise holds,
// else what went wrong.
class ParserProperties {
public:
    enum Parser { PortSettings, FaultText, Address, CtlCommandLine, SimControl };
    static constexpr int ParserCount = 5;

    static const char* name(Parser parser);
    static const char* check(Parser parser, const QByteArray& input);

    // RSPort.cfg: read gives a port of 1..99 and a speed of 9600 or 19200, which write and
    // read again unchanged as exactly "port,speed" CR LF.
    static const char* portSettings(const QByteArray& file);
    // FaultErrCodes.txt / CommErrCodes.txt: every record's code is found with the description
    // of its first record; a code's text reads back as the code; the description line names it.
    static const char* faultText(const QByteArray& file);
    // The address text, a line break, a value text: an address taken lies within the board's
    // memory; a value taken is in range and its bytes compose back to it.
    static const char* address(const QByteArray& text);
    // vorna7ctl's arguments, separated by NUL bytes: an accepted command line holds only
    // values in range; a refused one says why on one line.
    static const char* ctlCommandLine(const QByteArray& arguments);
    // Lines of simulator control commands: each is answered "ok", "ok <value>" or
    // "error <reason>" on one line, and a value set is the value got back.
    static const char* simControl(const QByteArray& lines);
};

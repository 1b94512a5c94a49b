#pragma once

#include <QString>

// The texts of the About box, in one place so they can be checked without a window.
class AboutText {
public:
    static QString title();   // the application title
    static QString caption(); // the About box's window caption
    static QString version(); // "Version " major.minor.patch of this build
    static QString description();
    static QString techSupport();
};

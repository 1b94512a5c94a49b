#pragma once

#include <QFont>
#include <QString>
#include <functional>

class AppContext;
class QPainter;

// The printed set-up report: CurrentData drawn page by page in inches from the top-left of
// the printable area, through any painter (printer, PDF writer, a recording device in tests).
// `newPage` starts the device's next page; it is asked only when something is drawn after a
// footer, so the document never ends with a blank sheet.
class modReport {
public:
    static constexpr double ValueRightX = 5.5;
    // The face that answers to "Times" here (package fonts-urw-base35). Page breaks and the
    // label/value columns are laid out with its metrics; another face moves them.
    static constexpr const char* ReportFace = "Nimbus Roman";
    static constexpr const char* ReportFacePackage = "fonts-urw-base35";

    // The report's font: "Times" with a serif hint, ligatures off so a PDF search finds words
    // like "Configuration" as they are spelt.
    static QFont reportFont(int pointSize, bool bold);
    // Empty when the report's font resolves to ReportFace, else what to install and why.
    static QString missingFaceWarning();

    modReport(QPainter& painter, std::function<bool()> newPage, const AppContext& context);

    // The whole report; false when the device refused a new page (the drawing stopped there).
    bool PrintSetupReport(const QString& Title);

    void PrintPageHeader();
    void PrintPageFooter();
    void CheckPageBreak(int Lines);
    void SetReportFont(int Style);

    int pageNumber() const { return page_; }

private:
    void printSetupSection();
    void printPLSSection();
    void printShiftSection();
    void printHeading(const QString& heading);
    void printValueLine(const QString& label, const QString& value);
    void printAt(double x, const QString& text);
    // Text at the print position; `endLine` moves it to the start of the next line.
    void print(const QString& text, bool endLine = true);
    void drawRule(double y);
    void setFont(int pointSize, bool bold);
    bool beginPendingPage();
    double textWidth(const QString& text) const;
    double textHeight() const;
    double pageWidth() const;
    double pageHeight() const;

    QPainter& painter_;
    std::function<bool()> newPage_;
    const AppContext& context_;
    double dpiX_;
    double dpiY_;

    QString ReportTitle;
    double LeftMargin = 0.5;
    double ColumnX = 0.5;
    double RightEdge = 0.0;
    double RuleY = 0.0;
    double BodyTopY = 0.0;
    double CurrentX = 0.0;
    double CurrentY = 0.0;

    int page_ = 1;
    bool pagePending_ = false;
    bool failed_ = false;
};

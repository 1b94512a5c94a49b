#include "modReport.h"

#include <QDebug>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include "AppContext.h"
#include "Numbers.h"
#include "ParameterNames.h"

namespace {

constexpr int BodyStyle = 1;
constexpr int HeadingStyle = 5;
constexpr double TitleTop = 0.1;
constexpr double BodyGap = 0.25;
constexpr double FooterGap = 0.1;
constexpr double BreakReserve = 0.9;
constexpr double LabelIndent = 0.25;
constexpr double ChannelIndent = 0.75;
constexpr int Section2Lines = 21;
constexpr int Section3Lines = 6;

QString numberedLabel(int number, const QString& name) {
    return QStringLiteral("%1. %2: ").arg(number).arg(name);
}

} // namespace

modReport::modReport(QPainter& painter, std::function<bool()> newPage, const AppContext& context)
    : painter_(painter), newPage_(std::move(newPage)), context_(context),
      dpiX_(painter.device()->logicalDpiX()), dpiY_(painter.device()->logicalDpiY()) {}

double modReport::pageWidth() const {
    return painter_.device()->width() / dpiX_;
}

double modReport::pageHeight() const {
    return painter_.device()->height() / dpiY_;
}

double modReport::textWidth(const QString& text) const {
    return QFontMetricsF(painter_.font(), painter_.device()).horizontalAdvance(text) / dpiX_;
}

double modReport::textHeight() const {
    return QFontMetricsF(painter_.font(), painter_.device()).height() / dpiY_;
}

QFont modReport::reportFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("Times"));
    font.setStyleHint(QFont::Serif, QFont::PreferNoShaping);
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

QString modReport::missingFaceWarning() {
    const QString resolved = QFontInfo(reportFont(12, false)).family();
    // Qt names the foundry, "Nimbus Roman [urw]", where several installs share a family name.
    if (resolved.section(QStringLiteral(" ["), 0, 0) == QLatin1String(ReportFace))
        return {};
    return QStringLiteral("The report's face %1 is missing (install the package %2); \"Times\" "
                          "resolves to %3, so the report's lines and page breaks will move.")
        .arg(QLatin1String(ReportFace), QLatin1String(ReportFacePackage), resolved);
}

void modReport::setFont(int pointSize, bool bold) {
    painter_.setFont(reportFont(pointSize, bold));
}

void modReport::SetReportFont(int Style) {
    if (Style == HeadingStyle)
        setFont(14, true);
    else
        setFont(12, false);
}

// The footer's new page is started only when there is more to draw.
bool modReport::beginPendingPage() {
    if (pagePending_ && !failed_) {
        pagePending_ = false;
        failed_ = !newPage_();
        ++page_;
    }
    return !failed_;
}

void modReport::print(const QString& text, bool endLine) {
    if (!beginPendingPage())
        return;
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    if (!text.isEmpty())
        painter_.drawText(QPointF(CurrentX * dpiX_, CurrentY * dpiY_ + metrics.ascent()), text);
    if (endLine) {
        CurrentX = 0.0;
        CurrentY += textHeight();
    } else {
        CurrentX += textWidth(text);
    }
}

void modReport::printAt(double x, const QString& text) {
    CurrentX = x;
    print(text);
}

void modReport::drawRule(double y) {
    if (!beginPendingPage())
        return;
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawLine(QPointF(LeftMargin * dpiX_, y * dpiY_),
                      QPointF(RightEdge * dpiX_, y * dpiY_));
}

void modReport::PrintPageHeader() {
    setFont(12, true);
    const QString title = QStringLiteral("VORNA7 Report: ") + ReportTitle;
    CurrentX = (pageWidth() - textWidth(title) - LeftMargin) / 2;
    CurrentY = TitleTop;
    print(title);
    RightEdge = pageWidth() - LeftMargin;
    RuleY = CurrentY + textHeight();
    drawRule(RuleY);
    ColumnX = LeftMargin;
    BodyTopY = RuleY + BodyGap;
    CurrentX = ColumnX;
    CurrentY = BodyTopY;
}

void modReport::PrintPageFooter() {
    setFont(10, false);
    const QString pageText = QStringLiteral("Page %1").arg(page_);
    const QString dateText = context_.NowText();
    const double footerY = pageHeight() - textHeight() - FooterGap;
    CurrentX = LeftMargin;
    CurrentY = footerY;
    print(pageText, false);
    CurrentX = pageWidth() - textWidth(dateText) - LeftMargin;
    print(dateText);
    RightEdge = pageWidth() - LeftMargin;
    RuleY = footerY - FooterGap;
    drawRule(RuleY);
    pagePending_ = true;
    CurrentX = 0.0;
    CurrentY = 0.0;
}

void modReport::CheckPageBreak(int Lines) {
    if (pageHeight() - Lines * textHeight() < CurrentY + BreakReserve)
        PrintPageFooter();
    if (CurrentY == 0.0)
        PrintPageHeader();
}

void modReport::printHeading(const QString& heading) {
    SetReportFont(HeadingStyle);
    printAt(ColumnX, heading);
    SetReportFont(BodyStyle);
    print(QString());
}

void modReport::printValueLine(const QString& label, const QString& value) {
    CurrentX = LeftMargin + LabelIndent;
    print(label, false);
    CurrentX = ValueRightX - textWidth(value);
    print(value);
}

void modReport::printSetupSection() {
    printHeading(QStringLiteral("Set-up Parameters"));
    for (int i = ParameterNames::SetupFirst; i <= ParameterNames::SetupLast; ++i)
        printValueLine(numberedLabel(i + 1, ParameterNames::name(i)),
                       Numbers::signedText(context_.CurrentData.valueAt(i)));
    print(QString());
}

void modReport::printPLSSection() {
    const SetupData& data = context_.CurrentData;
    printHeading(QStringLiteral("PLS Configuration & Channel Setpoints"));
    printValueLine(QStringLiteral("1. Number of PLS Channels: "),
                   Numbers::signedText(data.NumPLSChannels));
    printValueLine(QStringLiteral("2. PLS Scale Factor: "), Numbers::signedText(data.PLSScale));
    printValueLine(QStringLiteral("3. PLS Program: "), Numbers::signedText(data.PLSProgram));
    printAt(LeftMargin + LabelIndent, QStringLiteral("4. Speed Compensation (advance): "));
    for (int c = 0; c < SetupData::ChannelCount; ++c)
        printAt(LeftMargin + ChannelIndent,
                QStringLiteral("CH0%1 (msec):  %2")
                    .arg(c)
                    .arg(Numbers::signedText(data.SpeedComp[static_cast<std::size_t>(c)])));
    printAt(LeftMargin + LabelIndent, QStringLiteral("5. Channel Setpoints (ON - OFF): "));
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        const auto& setpoints = data.ChanSetpoint[static_cast<std::size_t>(c)];
        printAt(LeftMargin + ChannelIndent,
                QStringLiteral("CH0%1:  %2  - %3")
                    .arg(c)
                    .arg(Numbers::signedText(setpoints[SetupData::OnColumn]),
                         Numbers::signedText(setpoints[SetupData::OffColumn])));
    }
    print(QString());
}

void modReport::printShiftSection() {
    printHeading(QStringLiteral("Shift Data and Brake Response"));
    for (int i = ParameterNames::ShiftFirst; i <= ParameterNames::ShiftLast; ++i)
        printValueLine(numberedLabel(i - ParameterNames::SetupLast, ParameterNames::name(i)),
                       Numbers::groupedText(context_.CurrentData.valueAt(i), context_.locale));
}

bool modReport::PrintSetupReport(const QString& Title) {
    ReportTitle = Title;
    LeftMargin = 0.5;
    if (const QString warning = missingFaceWarning(); !warning.isEmpty())
        qWarning().noquote() << warning;
    PrintPageHeader();
    printSetupSection();
    CheckPageBreak(Section2Lines);
    printPLSSection();
    CheckPageBreak(Section3Lines);
    printShiftSection();
    PrintPageFooter();
    return !failed_;
}

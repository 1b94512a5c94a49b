#include <QFile>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "AppContext.h"
#include "ReportMenu.h"
#include "ScriptedPrompter.h"
#include "modReport.h"

namespace {

constexpr double Dpi = 100;

struct Drawn {
    int page;
    QString text;  // empty for a rule
    QRectF inches; // text: left, baseline and width; rule: its two ends
    QFont font;
};

// A page of the given size in inches that records what is drawn on it.
class RecordingPage final : public QPaintDevice, public QPaintEngine {
public:
    RecordingPage(double width, double height) : width_(width), height_(height) {}
    std::vector<Drawn> drawn;
    int page = 1;

    QPaintEngine* paintEngine() const override { return const_cast<RecordingPage*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return User; }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const double w = QFontMetricsF(item.font(), this).horizontalAdvance(item.text());
        drawn.push_back(
            {page, item.text(), QRectF(p.x() / Dpi, p.y() / Dpi, w / Dpi, 0), item.font()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            drawn.push_back({page, {}, QRectF(lines[i].p1() / Dpi, lines[i].p2() / Dpi), {}});
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return int(width_ * Dpi);
        case PdmHeight:
            return int(height_ * Dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return int(Dpi);
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    double width_;
    double height_;
};

class ReportTest : public ::testing::Test {
protected:
    ReportTest() {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        context.currentDateTime = [] { return QDateTime(QDate(2024, 3, 14), QTime(14, 5, 7)); };
        context.InitSetupTables();
    }
    // Draws the report on a page `height` inches tall; the pages it asked for.
    int draw(double height) {
        device = std::make_unique<RecordingPage>(8.5, height);
        QPainter painter(device.get());
        modReport report(
            painter,
            [this] {
                ++device->page;
                return true;
            },
            context);
        EXPECT_TRUE(report.PrintSetupReport(QStringLiteral("[unnamed]")));
        return device->page;
    }
    const Drawn& find(const QString& text) const {
        for (const Drawn& d : device->drawn)
            if (d.text == text)
                return d;
        ADD_FAILURE() << "not drawn: " << text.toStdString();
        return device->drawn.front();
    }
    // The text drawn right after `label` on its line.
    QString after(const QString& label) const {
        const auto it = std::find_if(device->drawn.begin(), device->drawn.end(),
                                     [&](const Drawn& d) { return d.text == label; });
        return it != device->drawn.end() && it + 1 != device->drawn.end() ? (it + 1)->text
                                                                          : QString();
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    AppContext context{folder.path(), prompter};
    std::unique_ptr<RecordingPage> device;
};

TEST_F(ReportTest, OnePageHoldsTitleSectionsValuesAndFooter) {
    context.CurrentData.ParamValue[0] = -5;
    context.CurrentData.ParamValue[9] = 1234567;
    EXPECT_EQ(draw(12.0), 1);
    const Drawn& title = find("VORNA7 Report: [unnamed]");
    EXPECT_NEAR(title.inches.left(), (8.5 - title.inches.width() - 0.5) / 2, 0.01);
    EXPECT_TRUE(title.font.bold());
    EXPECT_EQ(title.font.pointSize(), 12);
    const Drawn& heading = find("PLS Configuration & Channel Setpoints");
    EXPECT_EQ(std::tuple(heading.font.family(), heading.font.pointSize(), heading.font.bold()),
              std::tuple(QString("Times"), 14, true));
    EXPECT_NEAR(heading.inches.left(), 0.5, 0.01);
    const struct {
        const char* label;
        const char* value;
    } lines[] = {
        {"1. Desired BDC Stop Position (Cont./Single): ", "-5"},
        {"2. Maximum Allowed Stopping Response (degrees): ", " 350"},
        {"9. Brake Wear Compensation Enable (0=No, 1=Yes): ", " 1"},
        {"2. PLS Scale Factor: ", " 360"},
        {"1. Current Shift - Good Can Count: ", "1,234,567"},
        {"6. Brake Response - High Speed (degrees): ", "0"},
    };
    for (const auto& line : lines) {
        const Drawn& label = find(line.label);
        EXPECT_EQ(after(line.label), QString(line.value)) << line.label;
        EXPECT_NEAR(label.inches.left(), 0.75, 0.01) << line.label;
        EXPECT_FALSE(label.font.bold()) << line.label;
        const Drawn& value = device->drawn[std::size_t(&label - device->drawn.data()) + 1];
        EXPECT_NEAR(value.inches.right(), 5.5, 0.01) << line.label;
        EXPECT_EQ(value.inches.top(), label.inches.top()) << line.label;
    }
    EXPECT_NEAR(find("CH00:   150  -  170").inches.left(), 1.25, 0.01);
    EXPECT_NEAR(find("CH07 (msec):   0").inches.left(), 1.25, 0.01);
    const Drawn& date = find("3/14/2024 2:05:07 PM");
    EXPECT_NEAR(date.inches.right(), 8.0, 0.01);
    EXPECT_EQ(date.font.pointSize(), 10);
    EXPECT_EQ(after("Page 1"), "3/14/2024 2:05:07 PM");
    const int rules = int(std::count_if(device->drawn.begin(), device->drawn.end(),
                                        [](const Drawn& d) { return d.text.isEmpty(); }));
    EXPECT_EQ(rules, 2);
}

struct BreakCase {
    const char* name;
    double height;
    int pages;
    int pls;   // page of section 2
    int shift; // page of section 3
};

class ReportBreaks : public ReportTest, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(ReportBreaks, SectionsMoveToANewPageUnderTheirHeaderAndNoBlankSheetFollows) {
    const BreakCase& c = GetParam();
    EXPECT_EQ(draw(c.height), c.pages);
    EXPECT_EQ(find("PLS Configuration & Channel Setpoints").page, c.pls);
    EXPECT_EQ(find("Shift Data and Brake Response").page, c.shift);
    for (int p = 1; p <= c.pages; ++p) {
        const QString footer = QStringLiteral("Page %1").arg(p);
        EXPECT_EQ(find(footer).page, p);
        const auto first = std::find_if(device->drawn.begin(), device->drawn.end(),
                                        [&](const Drawn& d) { return d.page == p; });
        EXPECT_EQ(first->text, "VORNA7 Report: [unnamed]") << p;
    }
    EXPECT_EQ(device->drawn.back().page, c.pages); // the last footer's page is not begun
}

// Section 1 ends near 3.6 inches and section 2 is near 5.6 inches long; a 12-point line is
// about 0.23 inch. Section 2 wants 21 lines and 0.9 inch below it, section 3 wants 6.
const BreakCase breakCases[] = {
    {"TallPageHoldsEverything", 12.0, 1, 1, 1},
    {"LetterBreaksBeforeSectionThree", 11.0, 2, 1, 2},
    {"ShorterPageBreaksBeforeSectionTwoOnly", 9.0, 2, 2, 2},
    {"ShortPageBreaksBeforeBoth", 7.0, 3, 2, 3},
};
INSTANTIATE_TEST_SUITE_P(Pages, ReportBreaks, ::testing::ValuesIn(breakCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportTest, PrintCommandWritesThePDFAndAPrinterFailureIsReportedWithNoDocument) {
    context.gFileNameCaption = "[line3.sdt]";
    const QString pdf = folder.filePath("report.pdf");
    auto toFile = [](const QString& path) {
        return [path](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        };
    };
    ReportMenu::mnuFilePrint_Click(context, toFile(pdf), nullptr);
    EXPECT_EQ(context.ReportMode, 1);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(10000)) << "pdftotext is installed by scripts/install-deps.sh";
    const QString out = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const char* expected :
         {"VORNA7 Report: [line3.sdt]", "Set-up Parameters",
          "2. Maximum Allowed Stopping Response (degrees): 350", "CH07: 180 - 0",
          "Shift Data and Brake Response", "Page 1 3/14/2024 2:05:07 PM"})
        EXPECT_TRUE(out.contains(QLatin1String(expected))) << expected << "\n" << out.toStdString();
    EXPECT_EQ(prompter.count(), 0);

    const QString nowhere = folder.filePath("missing/report.pdf");
    ReportMenu::mnuFilePrint_Click(context, toFile(nowhere), nullptr);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "frmWaitDisplay PrintReport");
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace

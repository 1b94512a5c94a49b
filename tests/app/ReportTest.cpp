#include <QFile>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <span>

#include "AppContext.h"
#include "ReportMenu.h"
#include "ScriptedPrompter.h"
#include "modReport.h"

namespace {

constexpr double Dpi = 100;

struct Drawn {
    int page;
    QString text; // empty for a rule
    double x;     // inches: left end, and right end of the text or rule
    double right;
    double y; // baseline or rule
    QFont font;
};

// A page of the given size in inches that records what is drawn on it.
class RecordingPage final : public QPaintDevice, public QPaintEngine {
public:
    explicit RecordingPage(double height) : height_(height) {}
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
            {page, item.text(), p.x() / Dpi, (p.x() + w) / Dpi, p.y() / Dpi, item.font()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (const QLineF& l : std::span(lines, std::size_t(count)))
            drawn.push_back({page, {}, l.x1() / Dpi, l.x2() / Dpi, l.y1() / Dpi, {}});
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        const std::map<PaintDeviceMetric, int> values = {
            {PdmWidth, int(8.5 * Dpi)},
            {PdmHeight, int(height_ * Dpi)},
            {PdmDpiX, int(Dpi)},
            {PdmDpiY, int(Dpi)},
            {PdmPhysicalDpiX, int(Dpi)},
            {PdmPhysicalDpiY, int(Dpi)},
            {PdmDepth, 32},
            {PdmDevicePixelRatio, 1},
            {PdmDevicePixelRatioScaled, int(devicePixelRatioFScale())}};
        return values.count(m) ? values.at(m) : QPaintDevice::metric(m);
    }

private:
    double height_;
};

class ReportTest : public ::testing::Test {
protected:
    ReportTest() {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        context.currentDateTime = [] { return QDateTime(QDate(2024, 3, 14), QTime(14, 5, 7)); };
        context.InitSetupTables();
    }
    // Draws the report on pages `height` inches tall; the number of pages begun.
    int draw(double height) {
        device = std::make_unique<RecordingPage>(height);
        QPainter painter(device.get());
        modReport report(
            painter, [this] { return ++device->page, true; }, context);
        EXPECT_TRUE(report.PrintSetupReport("[unnamed]"));
        return device->page;
    }
    // What was drawn as `text` and the item drawn right after it.
    std::pair<Drawn, Drawn> find(const QString& text) const {
        const auto at = std::find_if(device->drawn.begin(), device->drawn.end(),
                                     [&](const Drawn& d) { return d.text == text; });
        if (at == device->drawn.end() || at + 1 == device->drawn.end())
            return ADD_FAILURE() << "not drawn: " << text.toStdString(), std::pair<Drawn, Drawn>{};
        return {*at, *(at + 1)};
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    AppContext context{folder.path(), prompter};
    std::unique_ptr<RecordingPage> device;
};

TEST_F(ReportTest, LayoutFontsPageBreaksAndAPrinterFailure) {
    context.CurrentData.ParamValue[0] = -5;
    context.CurrentData.ParamValue[9] = 1234567;
    EXPECT_EQ(draw(12.0), 1);
    const auto [title, titleRule] = find("VORNA7 Report: [unnamed]");
    EXPECT_NEAR(title.x, (8.5 - (title.right - title.x) - 0.5) / 2, 0.01);
    EXPECT_EQ(std::tuple(title.font.family(), title.font.pointSize(), title.font.bold()),
              std::tuple(QString("Times"), 12, true));
    EXPECT_EQ(std::pair(titleRule.x, titleRule.right), std::pair(0.5, 8.0));
    const Drawn heading = find("PLS Configuration & Channel Setpoints").first;
    EXPECT_EQ(std::tuple(heading.x, heading.font.pointSize(), heading.font.bold()),
              std::tuple(0.5, 14, true));
    for (const auto& [label, value] : std::vector<std::pair<QString, QString>>{
             {"1. Desired BDC Stop Position (Cont./Single): ", "-5"},
             {"2. Maximum Allowed Stopping Response (degrees): ", " 350"},
             {"2. PLS Scale Factor: ", " 360"},
             {"1. Current Shift - Good Can Count: ", "1,234,567"}}) {
        const auto [l, v] = find(label);
        EXPECT_EQ(std::tuple(l.x, l.font.pointSize(), l.font.bold(), v.text, v.y),
                  std::tuple(0.75, 12, false, value, l.y));
        EXPECT_NEAR(v.right, 5.5, 0.01) << label.toStdString();
    }
    EXPECT_EQ(find("CH00:   150  -  170").first.x, 1.25);
    const auto [page, date] = find("Page 1");
    EXPECT_EQ(std::tuple(page.x, date.text, date.font.pointSize()),
              std::tuple(0.5, QString("3/14/2024 2:05:07 PM"), 10));
    EXPECT_NEAR(date.right, 8.0, 0.01);

    // A printer failure is reported and leaves no document.
    const QString nowhere = folder.filePath("missing/r.pdf");
    QPrinter printer;
    ReportMenu::mnuFilePrint_Click(
        context, printer,
        [&](QPrinter& chosen, QWidget*) {
            chosen.setOutputFileName(nowhere);
            return true;
        },
        nullptr);
    EXPECT_EQ(prompter.last().title, "frmWaitDisplay PrintReport");
    EXPECT_FALSE(QFile::exists(nowhere));

    // Section 1 ends near 3.6 inches and section 2 is near 5.6 inches long; a 12-point line is
    // about 0.23 inch. Section 2 wants 21 lines and 0.9 inch below it, section 3 wants 6.
    const struct {
        double height;
        int pls;   // page of section 2
        int shift; // page of section 3, the last
    } cases[] = {
        {12.0, 1, 1}, // a tall page holds everything
        {11.0, 1, 2}, // letter breaks before section 3
        {9.0, 2, 2},  // a shorter page breaks before section 2 only
        {7.0, 2, 3},  // a short page breaks before both
    };
    // They hold only with the face the layout was made for.
    ASSERT_EQ(modReport::missingFaceWarning().toStdString(), "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        EXPECT_EQ(draw(c.height), c.shift);
        EXPECT_EQ(find("PLS Configuration & Channel Setpoints").first.page, c.pls);
        EXPECT_EQ(find("Shift Data and Brake Response").first.page, c.shift);
        for (int p = 1; p <= c.shift; ++p) {
            EXPECT_EQ(find(QStringLiteral("Page %1").arg(p)).first.page, p);
            const auto first = std::find_if(device->drawn.begin(), device->drawn.end(),
                                            [&](const Drawn& d) { return d.page == p; });
            EXPECT_EQ(first->text, "VORNA7 Report: [unnamed]") << p;
        }
    }
}

} // namespace

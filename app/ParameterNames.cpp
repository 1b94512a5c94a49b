#include "ParameterNames.h"

#include <array>

QString ParameterNames::name(int index) {
    static const std::array<const char*, ShiftLast + 1> names = {
        "Desired BDC Stop Position (Cont./Single)",
        "Maximum Allowed Stopping Response (degrees)",
        "Number of Strokes before Cupfeed Open",
        "Number of Cans made with Initial Air Strip",
        "Trimmer Speed Reference, Maximum Speed (spm)",
        "Trimmer Speed Reference, Idle Speed (spm)",
        "Bodymaker Running Speed-Low (spm)",
        "Bodymaker Running Speed-High (spm)",
        "Brake Wear Compensation Enable (0=No, 1=Yes)",
        "Current Shift - Good Can Count",
        "Current Shift - Short Can Count",
        "Last Shift - Good Can Count",
        "Last Shift - Short Can Count",
        "Brake Response - Low Speed (degrees)",
        "Brake Response - High Speed (degrees)",
    };
    if (index < 0 || index > ShiftLast)
        return {};
    return QLatin1String(names[static_cast<std::size_t>(index)]);
}

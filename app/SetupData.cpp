#include "SetupData.h"

void SetupData::resizeTables(int upperBound) {
    const auto size = static_cast<std::size_t>(upperBound < 0 ? 0 : upperBound + 1);
    ParamAdd.resize(size);
    ParamValue.resize(size, 0);
}

std::int32_t SetupData::valueAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= ParamValue.size())
        return 0;
    return ParamValue[static_cast<std::size_t>(index)];
}

#include "FaultPlan.h"

namespace sim {

bool FaultPlan::strike() {
    if (!active())
        return false;
    if (after_ > 0) {
        --after_;
        return false;
    }
    if (!forever_)
        --remaining_;
    return true;
}

} // namespace sim

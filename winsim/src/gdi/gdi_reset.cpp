#include "core/areas.h"

namespace winsim::internal {

void ResetGdi() {}

} // namespace winsim::internal

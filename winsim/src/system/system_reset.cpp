#include "core/areas.h"

namespace winsim::internal {

void ResetSystem() {}

} // namespace winsim::internal

#include "core/areas.h"

namespace winsim::internal {

void ResetUser() {}

} // namespace winsim::internal

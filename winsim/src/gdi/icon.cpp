#include "gdi/resets.h"

namespace winsim::gdi {

void ResetIcons() {}

} // namespace winsim::gdi

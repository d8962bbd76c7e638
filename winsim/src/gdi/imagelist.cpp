#include "gdi/resets.h"

namespace winsim::gdi {

void ResetImageLists() {}

} // namespace winsim::gdi

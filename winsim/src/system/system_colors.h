// The system colour indices.
#pragma once

namespace winsim::system {

constexpr int kSysColorCount = 31;

// Whether a COLOR_ index names a colour (index 25 names none).
bool SysColorIndexValid(int index);

} // namespace winsim::system

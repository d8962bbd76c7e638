// What the person at the desktop would notice, one line per event, for transcripts.
#pragma once

#include <string>

namespace winsim::user {

void RecordEvent(const std::string& line);
void ResetEvents();

} // namespace winsim::user

#include "player/CaptureList.h"

#include "player/Scenario.h"

#include <utility>

namespace player {
namespace {

CaptureListReader& Reader() {
    static CaptureListReader reader;
    return reader;
}

} // namespace

void SetCaptureListReader(CaptureListReader reader) {
    Reader() = std::move(reader);
}

std::vector<std::string> ReadCaptureList() {
    if (!Reader()) {
        throw StepFailure("no program is linked in whose capture list could be read");
    }
    return Reader()();
}

} // namespace player

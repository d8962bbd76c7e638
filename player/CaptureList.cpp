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

bool CaptureListReadable() {
    return static_cast<bool>(Reader());
}

std::vector<std::string> ReadCaptureList() {
    if (!Reader()) {
        throw StepFailure("this build has no program whose capture list could be read");
    }
    return Reader()();
}

} // namespace player

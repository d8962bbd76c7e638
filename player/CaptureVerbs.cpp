// The expectations on what captures leave behind: the clipboard's text, the capture images and
// their folder, and the capture sound.
#include "player/VerbSupport.h"

#include "player/CaptureFiles.h"
#include "player/DesktopObserver.h"
#include "player/DesktopText.h"

#include <winsim/sim_system.h>

namespace player {
namespace {

// The capture sound: WAVE resource 137 of the executable.
const char kCaptureSound[] = "#137";

} // namespace

bool BuildExpectClipboard(BuildContext& c) {
    std::string wanted = c.Arg(0);
    c.step.run = [wanted](ScenarioRun&) {
        std::optional<std::string> text = winsim::ClipboardText();
        if (!text) {
            throw StepFailure("the clipboard holds no text, expected " + Shown(wanted));
        }
        if (*text != ToAnsi(wanted)) {
            throw StepFailure("the clipboard holds " + Shown(FromAnsi(*text)) + ", expected " +
                              Shown(wanted));
        }
    };
    return true;
}

bool BuildExpectJpeg(BuildContext& c) {
    if (!WindowsPathArg(c, 0) || !SizeArgs(c, 1)) {
        return false;
    }
    std::string path = c.Arg(0);
    long width = 0;
    long height = 0;
    ParseInt(c.Arg(1), 1, 100000, width);
    ParseInt(c.Arg(2), 1, 100000, height);
    c.step.run = [path, width, height](ScenarioRun&) {
        std::optional<JpegHeader> header = ReadJpegHeader(ToAnsi(path));
        if (!header) {
            throw StepFailure(path + " is missing or no JPEG file");
        }
        if (!header->jfif || !header->baseline || !header->complete) {
            throw StepFailure(path + " is no complete baseline JFIF file");
        }
        if (header->width != width || header->height != height) {
            throw StepFailure(path + " is " + std::to_string(header->width) + " x " +
                              std::to_string(header->height) + " pixels, expected " +
                              std::to_string(width) + " x " + std::to_string(height));
        }
    };
    return true;
}

bool BuildExpectCaptures(BuildContext& c) {
    long wanted = 0;
    if (!CountArg(c, 0, wanted)) {
        return false;
    }
    c.step.run = [wanted](ScenarioRun&) {
        size_t count = ImageFolderFileCount();
        if (count != static_cast<size_t>(wanted)) {
            throw StepFailure("the image folder " + ImageFolder() + " holds " +
                              std::to_string(count) + " files, expected " + std::to_string(wanted));
        }
    };
    return true;
}

bool BuildExpectSound(BuildContext& c) {
    long wanted = 0;
    if (!CountArg(c, 0, wanted)) {
        return false;
    }
    c.step.run = [wanted](ScenarioRun&) {
        int count = winsim::SoundStartCount(kCaptureSound);
        if (count != wanted) {
            throw StepFailure("the capture sound started " + std::to_string(count) +
                              " times, expected " + std::to_string(wanted));
        }
    };
    return true;
}

} // namespace player

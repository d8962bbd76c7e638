#include "imaging/JpegErrorManager.h"

#include <type_traits>

static_assert(std::is_standard_layout<JpegErrorManager>::value,
              "the library's error manager must be the first member of JpegErrorManager");

namespace {

JpegErrorManager* ManagerOf(j_common_ptr object) {
    return reinterpret_cast<JpegErrorManager*>(object->err);
}

// Shows the library's current message; true when the box was shown and closed normally.
bool ShowMessage(j_common_ptr object) {
    char text[JMSG_LENGTH_MAX];
    (*object->err->format_message)(object, text);
    try {
        MessageBoxA(GetActiveWindow(), text, "JPEG Error", 0);
        return true;
    } catch (...) {
        *ManagerOf(object)->pendingException = std::current_exception();
        return false;
    }
}

// Leaves the library for good: frees its memory and returns to the driving function. Only
// trivially destructible objects live in the frames this skips.
[[noreturn]] void Abandon(j_common_ptr object) {
    JpegErrorManager* manager = ManagerOf(object);
    jpeg_destroy(object);
    std::longjmp(manager->escape, 1);
}

void OutputMessage(j_common_ptr object) {
    if (!ShowMessage(object)) {
        Abandon(object);
    }
}

void ErrorExit(j_common_ptr object) {
    ShowMessage(object);
    Abandon(object);
}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager* manager,
                                        std::exception_ptr* pendingException) {
    jpeg_error_mgr* standard = jpeg_std_error(&manager->standard);
    standard->output_message = OutputMessage;
    standard->error_exit = ErrorExit;
    manager->pendingException = pendingException;
    return standard;
}

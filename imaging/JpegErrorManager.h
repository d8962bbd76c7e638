// The JPEG library's standard error manager with two methods replaced: its messages appear in
// a "JPEG Error" message box owned by the active window, and a fatal error, once shown,
// destroys the library object and returns to the compressing function through `escape`
// instead of returning into the library (which must not happen) or ending the process.
#pragma once

// The platform's headers come before the library's, whose configuration adapts to them.
#include "platform/win32.h"

#include <csetjmp>
#include <cstdio>
#include <exception>

#include <jpeglib.h>

struct JpegErrorManager {
    // First member, so that the library's pointer to it is a pointer to the whole manager.
    jpeg_error_mgr standard;
    // Set by setjmp in the function that drives the library; a fatal error jumps here. Frames
    // between it and the library's callbacks must hold only trivially destructible objects.
    std::jmp_buf escape;
    // An exception that left the message box (the box's own modal loop can throw one) is kept
    // here and the compression abandoned through `escape`, since it cannot pass through the
    // library's C frames; the owner of this slot rethrows it.
    std::exception_ptr* pendingException;
};

// Fills `manager` with the library's standard methods and the two replacements; the result is
// what the library object's `err` must point to.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager* manager,
                                        std::exception_ptr* pendingException);

// The inside of the browser control. Every internal header includes this one first, so that only
// the control itself and its own tests, fuzz targets and benchmarks (whose targets define
// VERBACAP_HTMLVIEW_INTERNAL) can use them; the program and the framework see the control through
// htmlview/HtmlView.h alone.
#pragma once

#ifndef VERBACAP_HTMLVIEW_INTERNAL
#error "an internal header of the browser control: include htmlview/HtmlView.h instead"
#endif

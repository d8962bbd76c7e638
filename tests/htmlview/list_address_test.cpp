// The addresses that the capture list gives its thumbnails lead the control's picture loader back
// to the image files, whatever the characters of their paths.
#include "htmlview/src/ImageStore.h"
#include "list/CaptureEntry.h"
#include "list/CaptureListHtml.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

TEST(ListAddress, TheThumbnailAddressLeadsBackToTheImagePath) {
    winsim::ResetDesktop();
    const std::string path = "C:\\Mes %20 \"outils\" &amp; <co>\\#1?\\tmp\\1a.jpg";
    CaptureEntry entry("t", path.c_str(), 400, 150);
    const std::vector<CaptureEntry*> entries = {&entry};
    const std::string html = BuildCaptureListHtml(entries).str();
    const size_t start = html.find("src=\"") + 5;
    const std::string address = html.substr(start, html.find('"', start) - start);
    // Nothing in it that the page would read as a reference or the end of the value.
    EXPECT_EQ(address.find_first_of("&<>'\""), std::string::npos) << address;
    EXPECT_EQ(htmlview::internal::FileUrlToPath(address), path) << address;
}

} // namespace

#include "ui/AutoCaptureInterval.h"

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

} // namespace

bool ParseAutoCaptureInterval(LPCSTR szText, UINT& milliseconds) {
    if (szText == nullptr) {
        return false;
    }
    const char* p = szText;
    while (IsBlank(*p)) {
        ++p;
    }
    // Whole seconds, capped as soon as they pass the longest interval so that no run of
    // digits can overflow.
    unsigned long long whole = 0;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p) {
        anyDigit = true;
        if (whole <= kMaxAutoCaptureMs) {
            whole = whole * 10 + static_cast<unsigned>(*p - '0');
        }
    }
    // Thousandths from the decimals; the ones after the third are cut off, as truncating the
    // product with 1000 does.
    unsigned long long thousandths = 0;
    if (*p == '.' || *p == ',') {
        ++p;
        int place = 0;
        for (; IsDigit(*p); ++p, ++place) {
            anyDigit = true;
            if (place < 3) {
                thousandths = thousandths * 10 + static_cast<unsigned>(*p - '0');
            }
        }
        for (; place < 3; ++place) {
            thousandths *= 10;
        }
    }
    while (IsBlank(*p)) {
        ++p;
    }
    if (!anyDigit || *p != '\0') {
        return false;
    }
    const unsigned long long total = whole * 1000 + thousandths;
    if (total < kMinAutoCaptureMs || total > kMaxAutoCaptureMs) {
        return false;
    }
    milliseconds = static_cast<UINT>(total);
    return true;
}

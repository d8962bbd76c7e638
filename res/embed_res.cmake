# Writes a C++ source holding the bytes of INPUT (a .res file) and registering them, at static
# initialisation, as the program module's resources.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")

string(REPEAT "[0-9a-f]" 48 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")

file(WRITE ${OUTPUT} "// Generated from verbacap.res: do not edit.
#include <winsim/module_resources.h>

#include <cstdio>
#include <cstdlib>

namespace {

alignas(4) const unsigned char kResources[${byte_count}] = {
${bytes}
};

struct Registration {
    Registration() {
        if (!winsim::RegisterModuleResources(kResources, sizeof kResources)) {
            std::fputs(\"verbacap.res is malformed\\n\", stderr);
            std::abort();
        }
    }
};

const Registration kRegistration;

} // namespace
")

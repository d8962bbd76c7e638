// A folder of the running test's own under the test temporary folder: ctest runs tests of one
// executable in parallel processes, which must never share an output or root folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace player {

inline std::string OwnTestDir(const std::string& leaf) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) /
                                ("verbacap-" + std::string(info->test_suite_name()) + "." +
                                 info->name() + "-" + std::to_string(getpid())) /
                                leaf;
    std::filesystem::create_directories(dir);
    return dir.string();
}

} // namespace player

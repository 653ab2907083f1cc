// Helpers the test programs share: whole files, scratch folders, compiling a
// script in memory, and running a built program as a user runs it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "cnfBuilder.h"

namespace testSupport {

namespace fs = std::filesystem;

// A whole file's bytes; empty when it cannot be read.
inline std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << path;
}

// The config a script compiles to (the script must compile).
inline std::string compiled(const std::string& script) {
    cnfBuilder b;
    b.loadScriptFromBytes(script);
    b.parseScript();
    return b.cnfBytes();
}

// A fresh folder named after the running test, removed when the test ends.
struct scratchFolder {
    fs::path path;
    explicit scratchFolder(std::string_view prefix) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        path = fs::path(testing::TempDir()) / (std::string(prefix) + "_" + test->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;
    ~scratchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

}  // namespace testSupport

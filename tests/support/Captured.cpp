#include "support/Captured.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string CapturedDiagnostics(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

void ExpectCall(int result, const std::string& printed, const std::function<int()>& call) {
    int answered = 0;
    EXPECT_EQ(CapturedDiagnostics([&] { answered = call(); }), printed);
    EXPECT_EQ(answered, result) << printed;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/brevant-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir_ = made ? made : "/tmp";
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (dir_ != "/tmp")
        std::filesystem::remove_all(dir_, ignored);
}

std::string TempDir::Path(const std::string& name) const {
    return dir_ + "/" + name;
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

#include "support/Captured.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/Diagnostics.h"
#include <brevant/INIHoop.h>

std::string CapturedDiagnostics(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

std::string SunkDiagnostics(const std::function<void()>& action) {
    std::string printed;
    auto collect = [](void* user, brevant_diagnostic_kind, int, const char* text, size_t length) {
        static_cast<std::string*>(user)->append(1, '\n').append(text, length);
    };
    ScopedDiagnosticSink sink(collect, &printed);
    action();
    return printed;
}

void ExpectCall(int result, const std::string& printed, const std::function<int()>& call) {
    int answered = 0;
    EXPECT_EQ(CapturedDiagnostics([&] { answered = call(); }), printed);
    EXPECT_EQ(answered, result) << printed;
}

TempDir::TempDir() {
    std::random_device seed;
    std::error_code failed;
    std::filesystem::path base = std::filesystem::temp_directory_path(failed);
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
        std::filesystem::path candidate = base / ("brevant-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(candidate, failed))
            dir_ = candidate.string();
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!dir_.empty())
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

const char* UseLocale(const char* posixName, const char* windowsName) {
    const char* taken = std::setlocale(LC_ALL, posixName);
    return taken ? taken : std::setlocale(LC_ALL, windowsName);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int LoadHoops(CINIHoop& hoops, const std::string& bytes, const std::string& name, std::string* printed) {
    TempDir dir;
    std::string path = dir.Write(name, bytes);
    int result = 0;
    std::string shown = CapturedDiagnostics([&] { result = hoops.Load(path.c_str()); });
    if (printed)
        *printed = shown;
    return result;
}

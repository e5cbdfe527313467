// Test helpers: the diagnostics printed while a piece of code runs, and temporary files.
#pragma once

#include <functional>
#include <string>

// Runs `action` and answers everything it printed to standard error.
std::string CapturedDiagnostics(const std::function<void()>& action);

// The same text, taken from a diagnostic sink installed for the call: much faster where capturing standard
// error costs a temporary file per call (Windows), for tests that compare many thousands of calls.
std::string SunkDiagnostics(const std::function<void()>& action);

// Expects `call` to answer `result` and to print exactly `printed`.
void ExpectCall(int result, const std::string& printed, const std::function<int()>& call);

// A file in a fresh temporary directory, removed with the directory when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::string Path(const std::string& name) const;
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::string dir_;
};

std::string ReadFileBytes(const std::string& path);

class CINIHoop;
// Loads the bytes into `hoops` from a file of this name (its extension picks the form) in a fresh temporary
// directory; answers Load's result, and what the load printed into `printed` when it is given.
int LoadHoops(CINIHoop& hoops, const std::string& bytes, const std::string& name = "hoops.ini",
              std::string* printed = nullptr);

// Switches the C runtime to a locale by its POSIX or its Windows name, whichever the runtime knows; answers
// the name taken, or null when the locale is not installed.
const char* UseLocale(const char* posixName, const char* windowsName);

// Switches the process to a locale whose decimal separator is a comma, so
// that tests can prove the number formats never depend on the locale.
// Builds one with localedef into a temporary folder when none is installed.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace velox::testing {

inline bool UseCommaLocale() {
    for (const char* n : {"hu_HU.UTF-8", "de_DE.UTF-8", "hu_HU.utf8", "de_DE.utf8"})
        if (std::setlocale(LC_ALL, n) != nullptr) return true;
    const auto dir = std::filesystem::temp_directory_path() / "velox-test-locales";
    std::filesystem::create_directories(dir);
    const std::string cmd = "localedef -i hu_HU -f UTF-8 '" + (dir / "hu_HU.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 && !std::filesystem::exists(dir / "hu_HU.UTF-8")) return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "hu_HU.UTF-8") != nullptr;
}

// Restores the "C" locale when it goes out of scope.
struct CommaLocale {
    bool active = UseCommaLocale();
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
};

}  // namespace velox::testing

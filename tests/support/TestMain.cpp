// The main of every test program: each test process runs in a fresh temporary
// working directory with its own registry file and config folder, on the
// headless display, and leaves nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);

    std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        perror("mkdtemp");
        return 2;
    }
    const fs::path work = pattern;
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("TARNWICK_DISPLAY", "headless", 1);
    setenv("TARNWICK_TEST", "1", 1);
    // Only the project's fonts, so text metrics are the same on every machine.
    setenv("FONTCONFIG_FILE", TW_SOURCE_DIR "/tests/support/fonts.conf", 0);

    const int rc = RUN_ALL_TESTS();

    fs::current_path(previous);
    std::error_code ec;
    fs::remove_all(work, ec);
    return rc;
}

// The main of every test program: each test process runs in a fresh temporary
// working directory with its own registry file and config folder, on the
// headless display, and leaves nothing behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path g_work, g_previous;

void RemoveWorkFolder()
{
    if (g_work.empty())
        return;
    std::error_code ec;
    fs::current_path(g_previous, ec);
    fs::remove_all(g_work, ec);
}

}  // namespace

int main(int argc, char** argv)
{
    // Registered before any store's singleton exists, so it runs after their
    // exit-time saves, which would otherwise re-create the folder.
    std::atexit(RemoveWorkFolder);
    // Before the tests are registered: some test tables read the screen.
    setenv("TARNWICK_DISPLAY", "headless", 1);
    // Only the project's fonts, so text metrics are the same on every machine.
    setenv("FONTCONFIG_FILE", TW_SOURCE_DIR "/tests/support/fonts.conf", 0);
    testing::InitGoogleTest(&argc, argv);

    // Another instance started by a test works in that test's folder, which
    // stays its owner's to remove: a killed instance leaves nothing behind.
    if (const char* shared = getenv("TARNWICK_TEST_DIR"); shared && *shared) {
        fs::current_path(shared);
        return RUN_ALL_TESTS();
    }

    std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        perror("mkdtemp");
        return 2;
    }
    const fs::path work = pattern;
    g_work = work;
    g_previous = fs::current_path();
    fs::current_path(work);
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("TARNWICK_HOME", work.c_str(), 1);
    setenv("TARNWICK_TEST", "1", 1);

    return RUN_ALL_TESTS();
}

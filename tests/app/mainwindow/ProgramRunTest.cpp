// The real program, started as a user starts it: headless with a fresh home
// folder it shows its window, closes after the screenshot and writes its
// settings file there; without a desktop it says so and ends with code 1.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    std::string errors;
};

// Runs the program with the given environment settings in front, its stderr kept.
ProgramRun RunProgram(const std::string& environment, const fs::path& folder, const std::string& args = "")
{
    const fs::path errFile = folder / "stderr.txt";
    const std::string command = "cd '" + folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u TARNWICK_SCREENSHOT " +
                                environment + " timeout 60 '" TW_TARNWICK_EXE "' " + args + " 2>'" +
                                errFile.string() + "'";
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::stringstream text;
    text << in.rdbuf();
    run.errors = text.str();
    return run;
}

class ProgramRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::absolute(fs::path("run-") += ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "home");
    }
    std::string Headless() const
    {
        return "TARNWICK_HOME='" + (folder / "home").string() + "' TARNWICK_DISPLAY=headless TARNWICK_SCREENSHOT='" +
               (folder / "screen.png").string() + "'";
    }
    fs::path folder;
};

TEST_F(ProgramRunTest, StartsHeadlessShowsItsWindowAndWritesItsSettingsAtExit)
{
    const ProgramRun run = RunProgram(Headless(), folder);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_GT(fs::file_size(folder / "screen.png"), 0u);
    const fs::path settings = folder / "home" / "data" / "PosImg.dat";
    ASSERT_TRUE(fs::exists(settings));
    EXPECT_GT(fs::file_size(settings), 0u);

    // The second start reads what the first wrote and writes it back.
    const ProgramRun again = RunProgram(Headless(), folder);
    EXPECT_EQ(again.exitCode, 0) << again.errors;
    EXPECT_TRUE(fs::exists(settings));
}

// "Embedding" alone (the usage box, then the end) still leaves the settings file written.
TEST_F(ProgramRunTest, CommandLinesThatEndStartUpStillWriteTheSettings)
{
    const char* const lines[] = {"-Embedding", "/Embedding"};
    for (const char* line : lines) {
        fs::remove_all(folder / "home");
        const ProgramRun run = RunProgram(Headless(), folder, line);
        EXPECT_EQ(run.exitCode, 0) << line << ": " << run.errors;
        EXPECT_TRUE(fs::exists(folder / "home" / "data" / "PosImg.dat")) << line;
    }
}

TEST_F(ProgramRunTest, WithoutADesktopSaysOneIsNeededAndEndsWithCodeOne)
{
    const ProgramRun run = RunProgram("-u TARNWICK_DISPLAY TARNWICK_HOME='" + (folder / "home").string() + "'", folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("a desktop is needed"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("TARNWICK_DISPLAY=headless"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("xvfb-run"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(folder / "home" / "data" / "PosImg.dat"));
}

TEST_F(ProgramRunTest, MakesTheHomeFolderUnderTheDataHomeWhenNoneIsNamed)
{
    const std::string environment = "-u TARNWICK_HOME XDG_DATA_HOME='" + (folder / "xdg").string() +
                                    "' TARNWICK_DISPLAY=headless TARNWICK_SCREENSHOT='" +
                                    (folder / "screen.png").string() + "'";
    const ProgramRun run = RunProgram(environment, folder);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(fs::exists(folder / "xdg" / "tarnwick" / "data" / "PosImg.dat"));
}

// On a desktop (an X server of the same size, through the SDL display) the
// program shows exactly what it draws headless.
TEST_F(ProgramRunTest, OnADesktopTheScreenEqualsTheHeadlessOne)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is not installed";
    const ProgramRun headless = RunProgram(Headless(), folder);
    ASSERT_EQ(headless.exitCode, 0) << headless.errors;
    const fs::path headlessShot = folder / "headless.png";
    fs::rename(folder / "screen.png", headlessShot);

    fs::remove_all(folder / "home");
    fs::create_directories(folder / "home");
    const fs::path desktopShot = folder / "desktop.png";
    const std::string command = "cd '" + folder.string() +
                                "' && timeout 120 xvfb-run -a -s '-screen 0 1280x1024x24' env -u TARNWICK_DISPLAY "
                                "-u WAYLAND_DISPLAY TARNWICK_HOME='" +
                                (folder / "home").string() + "' TARNWICK_SCREENSHOT='" + desktopShot.string() +
                                "' '" TW_TARNWICK_EXE "' 2>'" + (folder / "desktop-errors.txt").string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the program ran on the desktop";
    ASSERT_TRUE(fs::exists(desktopShot));
    auto bytes = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    EXPECT_TRUE(bytes(desktopShot) == bytes(headlessShot)) << "the desktop shows what headless draws";
}

}  // namespace

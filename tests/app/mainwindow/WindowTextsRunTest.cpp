// The real program asked by TARNWICK_WINDOW_TEXTS writes what its main window
// showed when last idle to that file at exit, for runs driven from outside.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(WindowTextsRunTest, TheProgramWritesItsWindowTextsAtExit)
{
    const fs::path folder = fs::absolute("run-window-texts");
    fs::remove_all(folder);
    fs::create_directories(folder / "home");
    const fs::path texts = folder / "texts.txt";
    // The screenshot mode closes the start-up's logon, the Tutorial and the program.
    const std::string command = "cd '" + folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY TARNWICK_HOME='" +
                                (folder / "home").string() + "' TARNWICK_DISPLAY=headless TARNWICK_SCREENSHOT='" +
                                (folder / "screen.png").string() + "' TARNWICK_WINDOW_TEXTS='" + texts.string() +
                                "' timeout 60 '" TW_TARNWICK_EXE "' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::ifstream in(texts);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(std::string::npos, text.str().find("main: Tarnwick\n")) << text.str();
    EXPECT_NE(std::string::npos, text.str().find("connections: ")) << text.str();
    EXPECT_EQ(std::string::npos, text.str().find("query window:")) << "the logon was closed, not answered";
}

}  // namespace

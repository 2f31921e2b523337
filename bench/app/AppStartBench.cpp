// How long the program takes from exec to its first idle with the main window
// shown (it saves a screenshot there and closes), headless, with a fresh home
// folder each run; the plain window demo started the same way is the baseline.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// Milliseconds per start, the best of several runs.
double BestStartMs(const std::string& exe, const fs::path& work, int runs)
{
    double best = 1e9;
    for (int i = 0; i < runs; i++) {
        fs::remove_all(work / "home");
        const std::string command = "cd '" + work.string() + "' && TARNWICK_HOME='" + (work / "home").string() +
                                    "' TARNWICK_DISPLAY=headless TARNWICK_SCREENSHOT='" +
                                    (work / "shot.png").string() + "' '" + exe + "' >/dev/null 2>&1";
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (status != 0) {
            std::fprintf(stderr, "%s failed (%d)\n", exe.c_str(), status);
            return -1;
        }
        best = std::min(best, ms);
    }
    return best;
}

}  // namespace

int main()
{
    const fs::path work = fs::temp_directory_path() / "tarnwick-bench-app";
    fs::create_directories(work);
    const double program = BestStartMs(TW_TARNWICK_EXE, work, 5);
    const double baseline = BestStartMs(TW_WINDOW_DEMO_EXE, work, 5);
    fs::remove_all(work);
    if (program < 0 || baseline < 0)
        return 1;
    std::printf("tarnwick, exec to first idle with the main window: %.1f ms\n", program);
    std::printf("window demo, exec to first idle (baseline): %.1f ms\n", baseline);
    std::printf("ratio program / baseline: %.2f\n", program / baseline);
    return 0;
}

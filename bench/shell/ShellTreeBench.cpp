// Figures for the shell tree: collapsing and expanding a folder of 10,000
// subfolders, each expansion reading the folder afresh (names, attributes with
// the subfolder scan, display names, icons, sorting). The baseline, printed
// last, reads the same folder by hand: the entries, a stat and a scan of each.
// Run by hand; expansion should stay under 0.3 s.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/controls/KtvPShellTree.h"
#include "ui/frames/KtvPShellManager.h"

namespace {

namespace fs = std::filesystem;
constexpr int kRounds = 5;
constexpr int kEntries = 10000;

template <class Body>
double MeasureMs(Body body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

// What any reader of the folder does: every entry, its stat, and a look for a
// first subfolder inside it.
size_t ReadByHand(const std::string& folder)
{
    size_t seen = 0;
    DIR* dir = ::opendir(folder.c_str());
    while (dirent* entry = dir ? ::readdir(dir) : nullptr) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat info{};
        if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            DIR* inner = ::opendir(path.c_str());
            while (dirent* child = inner ? ::readdir(inner) : nullptr)
                if (child->d_name[0] != '.')
                    break;
            if (inner)
                ::closedir(inner);
            ++seen;
        }
    }
    if (dir)
        ::closedir(dir);
    return seen;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvPrepareUiTest();
    CKtvPShellManager shell;

    char pattern[] = "/tmp/tarnwick-shell-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = std::string(pattern) + "/many";
    fs::create_directory(folder);
    for (int i = 0; i < kEntries; i++)
        fs::create_directory(folder + "/folder " + std::to_string(i));

    auto* pFrame = new tw::test::KtvTestDockFrame;
    if (!pFrame->CreateFrame(0, 0, 800, 600)) {
        std::fprintf(stderr, "no frame\n");
        return 1;
    }
    CKtvPShellTree tree;
    if (!tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 300, 500), pFrame, 1) ||
        !tree.SelectPath(folder.c_str())) {
        std::fprintf(stderr, "no tree\n");
        return 1;
    }
    HTREEITEM item = tree.GetSelectedItem();
    const double msExpand = MeasureMs([&] {
        tree.Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
        tree.Expand(item, TVE_EXPAND);
    });
    const UINT shown = tree.GetCount();
    const double msBaseline = MeasureMs([&] { ReadByHand(folder); });

    std::printf("shell tree: expand a folder of %d subfolders   %10.1f ms (%u items)\n", kEntries, msExpand, shown);
    std::printf("baseline: read the folder by hand              %10.1f ms\n", msBaseline);
    std::printf("ratio (tree / baseline)                        %10.1f\n", msExpand / msBaseline);

    tree.DestroyWindow();
    pFrame->DestroyWindow();
    fs::remove_all(pattern);
    return 0;
}

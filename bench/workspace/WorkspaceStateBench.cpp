// Figures for the workspace: one full save and one full load of a main frame
// with five toolbars of twelve buttons and five docked panes, through the
// settings store. The baseline, printed last, writes and reads back the same
// values with the registry class alone, key by key, with no bar or layout
// logic. Run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/docking/DockingBenchSupport.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/registry/Registry.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPMDIFrameWnd.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr int kRounds = 50;

template <class Body>
double MillisecondsPerCall(Body body)
{
    using Clock = std::chrono::steady_clock;
    body();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; i++)
        body();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

struct StoredValue {
    std::string key;
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};

// Every value below the key, with the key's path from the root.
void CollectValues(const std::string& path, std::vector<StoredValue>& values)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; i++) {
        char name[256];
        DWORD cchName = sizeof name;
        DWORD type = 0;
        DWORD cbData = 0;
        if (::RegEnumValue(hKey, i, name, &cchName, nullptr, &type, nullptr, &cbData) != ERROR_SUCCESS)
            break;
        StoredValue value{path, name, type, std::vector<BYTE>(cbData)};
        ::RegQueryValueEx(hKey, name, nullptr, nullptr, value.data.data(), &cbData);
        values.push_back(std::move(value));
    }
    std::vector<std::string> subKeys;
    for (DWORD i = 0;; i++) {
        char name[256];
        DWORD cchName = sizeof name;
        if (::RegEnumKeyEx(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subKeys.push_back(path + "\\" + name);
    }
    ::RegCloseKey(hKey);
    for (const std::string& subKey : subKeys)
        CollectValues(subKey, values);
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvPrepareUiTest();
    AfxGetApp()->SetRegistryKey("Corvane");
    CKtvPWorkspace workspace(TRUE);
    workspace.SetRegistryBase("BenchSettings");
    workspace.CleanState();

    auto* pFrame = new CKtvPMDIFrameWnd;
    if (!pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1024)) ||
        !pFrame->EnableDocking(CBRS_ALIGN_ANY)) {
        std::fprintf(stderr, "no frame\n");
        return 1;
    }
    for (UINT nBar = 0; nBar < 5; nBar++) {
        auto* pToolBar = new CKtvPToolBar;
        if (!pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE800 + 10 + nBar)) {
            std::fprintf(stderr, "no toolbar\n");
            return 1;
        }
        for (UINT nButton = 0; nButton < 12; nButton++)
            pToolBar->InsertButton(new CKtvPToolbarButton(32800 + nBar * 16 + nButton, -1, "Button"));
        pToolBar->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(pToolBar);
    }
    std::vector<CKtvPDockingControlBar*> panes;
    for (UINT nPaneID = 200; nPaneID < 205; nPaneID++)
        panes.push_back(tw::bench::NewPane(pFrame, nPaneID, 250, 200));
    panes[0]->DockToFrameWindow(CBRS_ALIGN_LEFT);
    panes[1]->DockNextToBar(panes[0], CBRS_ALIGN_BOTTOM, nullptr);
    panes[2]->DockToFrameWindow(CBRS_ALIGN_RIGHT);
    panes[3]->DockToFrameWindow(CBRS_ALIGN_BOTTOM);
    panes[4]->DockNextToBar(panes[3], CBRS_ALIGN_RIGHT, nullptr);
    pFrame->RecalcLayout();

    CKtvPFrameImpl* pImpl = pFrame->GetFrameImpl();
    const double msSave = MillisecondsPerCall([&] { workspace.SaveState(nullptr, pImpl); });
    const double msLoad = MillisecondsPerCall([&] { workspace.LoadState(nullptr, pImpl); });

    // Baseline: the same values, written to a copy of the key and read back.
    std::string base(workspace.GetRegSectionPath());
    base.pop_back();
    std::vector<StoredValue> values;
    CollectValues(base, values);
    const std::string copyRoot = base + "Copy";
    const double msBaseline = MillisecondsPerCall([&] {
        for (const StoredValue& value : values) {
            const std::string key = copyRoot + value.key.substr(base.size());
            CKtvPRegistry writer(FALSE, FALSE);
            writer.CreateKey(key.c_str());
            writer.Write(value.name.c_str(), const_cast<BYTE*>(value.data.data()), static_cast<UINT>(value.data.size()));
            CKtvPRegistry reader(FALSE, TRUE);
            BYTE* pData = nullptr;
            UINT nBytes = 0;
            if (reader.Open(key.c_str()) && reader.Read(value.name.c_str(), &pData, &nBytes))
                delete[] pData;
        }
    });

    std::printf("%-58s %10zu\n", "stored values", values.size());
    std::printf("%-58s %10.2f ms\n", "save: 5 toolbars of 12 buttons, 5 panes, layout", msSave);
    std::printf("%-58s %10.2f ms\n", "load: the same", msLoad);
    std::printf("%-58s %10.2f ms\n", "baseline: the same values written and read back raw", msBaseline);
    std::printf("%-58s %10.2f\n", "ratio (save + load) / baseline", (msSave + msLoad) / msBaseline);
    workspace.CleanState();
    CKtvPRegistry cleaner(FALSE, FALSE);
    cleaner.DeleteKey(copyRoot.c_str());
    pFrame->DestroyWindow();
    return 0;
}

// A frame with a dock manager that records the commands and prompts its bars
// send, and toolbars built button by button on it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/win32/kernel/Threads.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

namespace tw::test {

// Toolbar resources of the tests: RT_TOOLBAR records with 16 x 15 images and
// bitmaps whose images are solid squares of one colour in a grey border.
namespace tbres {
const UINT kBar = 7101;           // 101, 102, separator, 103
const UINT kSecondBar = 7102;     // 201, 202
const UINT kColdBitmap = 7103;    // cold images of kBar
const UINT kDisabledBitmap = 7104;
const UINT kNoBitmap = 7105;      // a toolbar record without its bitmap
const UINT kOpenCommand = 30000;  // its string: "Open a file\nOpen"
const COLORREF kImage[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
const COLORREF kCold[3] = {RGB(128, 0, 0), RGB(0, 128, 0), RGB(0, 0, 128)};
const COLORREF kDisabled[3] = {RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)};
// Registers them with the program's resources once.
void Register();
}  // namespace tbres

class KtvRecordingFrame : public KtvTestDockFrame {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<UINT> commands;   // WM_COMMAND ids, in arrival order
    std::vector<UINT> prompts;    // WM_SETMESSAGESTRING ids
    std::vector<UINT> resets;     // "KTVTOOLBAR_RESETTOOLBAR" resource ids
    // The command-update handler of a command; commands without one are enabled.
    std::map<UINT, std::function<void(CCmdUI*)>> updates;

protected:
    void OnUpdateAny(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class ToolBarTest : public HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A toolbar of the frame with one plain button per id (0 a separator),
    // image i for the i-th button; docked at the top unless told otherwise.
    CKtvPToolBar* MakeBar(const std::vector<UINT>& ids, BOOL bDock = TRUE, UINT nID = 0xE820);
    // The bar's buttons as text: ids, "|" for a separator.
    static std::string Layout(const CKtvPToolBar* pBar);
    // The centre of button i in the bar's client coordinates.
    static CPoint Centre(const CKtvPToolBar* pBar, int i);
    void Pump(int n = 3);

    KtvRecordingFrame* frame = nullptr;
    std::vector<std::unique_ptr<CKtvPToolBar>> bars;
};

// A data object as the drag loop hands it to drop targets: a dragged button or
// plain text.
class OfferedData {
public:
    bool Button(CKtvPToolbarButton& button);
    void Text();

    std::unique_ptr<COleDataSource> source;
    COleDataObject data;

private:
    void Attach();
};

}  // namespace tw::test

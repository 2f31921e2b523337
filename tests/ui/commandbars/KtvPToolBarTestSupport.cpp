#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"

#include <cstring>

#include "platform/mfc/afxole.h"
#include "platform/ole/oleidl.h"
#include "platform/win32/kernel/GlobalMemory.h"

#include "platform/mfc/afxmsg.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ToolbarResource.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/frames/KtvPCodes.h"

namespace tw::test {

namespace tbres {
namespace {

void PutWord(std::vector<BYTE>& bytes, size_t at, DWORD value, int size)
{
    for (int i = 0; i < size; i++)
        bytes[at + i] = (BYTE)(value >> (8 * i));
}

// A bottom-up 24-bit DIB of 16 x 15 images side by side.
std::vector<BYTE> Strip(const COLORREF* colours, int count)
{
    const int cx = 16 * count;
    const int cy = 15;
    const int stride = (cx * 3 + 3) & ~3;
    std::vector<BYTE> bytes(40 + stride * cy, 0);
    PutWord(bytes, 0, 40, 4);
    PutWord(bytes, 4, cx, 4);
    PutWord(bytes, 8, cy, 4);
    PutWord(bytes, 12, 1, 2);
    PutWord(bytes, 14, 24, 2);
    for (int y = 0; y < cy; y++) {
        for (int x = 0; x < cx; x++) {
            const int xIn = x % 16;
            const bool border = xIn == 0 || xIn == 15 || y == 0 || y == cy - 1;
            const COLORREF clr = border ? RGB(192, 192, 192) : colours[x / 16];
            BYTE* p = &bytes[40 + (cy - 1 - y) * stride + x * 3];
            p[0] = GetBValue(clr);
            p[1] = GetGValue(clr);
            p[2] = GetRValue(clr);
        }
    }
    return bytes;
}

std::vector<BYTE> Toolbar(std::vector<WORD> items)
{
    tw::res::ToolbarResource toolbar;
    toolbar.imageWidth = 16;
    toolbar.imageHeight = 15;
    toolbar.items = std::move(items);
    return tw::res::WriteToolbarResource(toolbar);
}

// The string-table block holding kOpenCommand as its first string.
std::vector<BYTE> StringBlock()
{
    const std::u16string text = u"Open a file\nOpen";
    std::vector<BYTE> bytes;
    auto word = [&bytes](WORD w) {
        bytes.push_back((BYTE)w);
        bytes.push_back((BYTE)(w >> 8));
    };
    word((WORD)text.size());
    for (char16_t c : text)
        word((WORD)c);
    for (int i = 1; i < 16; i++)
        word(0);
    return bytes;
}

}  // namespace

void Register()
{
    static const std::vector<BYTE> bar = Toolbar({101, 102, 0, 103});
    static const std::vector<BYTE> second = Toolbar({201, 202});
    static const std::vector<BYTE> orphan = Toolbar({301});
    static const std::vector<BYTE> images = Strip(kImage, 3);
    static const std::vector<BYTE> cold = Strip(kCold, 3);
    static const std::vector<BYTE> disabled = Strip(kDisabled, 3);
    static const std::vector<BYTE> secondImages = Strip(kImage, 2);
    static const std::vector<BYTE> strings = StringBlock();
    static const ResourceEntry entries[] = {
        {241, nullptr, kBar, nullptr, 0, bar.data(), (DWORD)bar.size()},
        {241, nullptr, kSecondBar, nullptr, 0, second.data(), (DWORD)second.size()},
        {241, nullptr, kNoBitmap, nullptr, 0, orphan.data(), (DWORD)orphan.size()},
        {2, nullptr, kBar, nullptr, 0, images.data(), (DWORD)images.size()},
        {2, nullptr, kSecondBar, nullptr, 0, secondImages.data(), (DWORD)secondImages.size()},
        {2, nullptr, kColdBitmap, nullptr, 0, cold.data(), (DWORD)cold.size()},
        {2, nullptr, kDisabledBitmap, nullptr, 0, disabled.data(), (DWORD)disabled.size()},
        {6, nullptr, (WORD)((kOpenCommand >> 4) + 1), nullptr, 0, strings.data(), (DWORD)strings.size()},
    };
    static const bool registered =
        tw::RegisterResources(tw::ProgramInstance(), ResourceTable{entries, std::size(entries)});
    (void)registered;
}

}  // namespace tbres

BEGIN_MESSAGE_MAP(KtvRecordingFrame, KtvTestDockFrame)
    ON_UPDATE_COMMAND_UI_RANGE(1, 0xEFFF, OnUpdateAny)
    // System commands from SC_MINIMIZE up; SC_SIZE is left without a handler.
    ON_UPDATE_COMMAND_UI_RANGE(0xF020, 0xF1EF, OnUpdateAny)
END_MESSAGE_MAP()

void KtvRecordingFrame::OnUpdateAny(CCmdUI* pCmdUI)
{
    auto it = updates.find(pCmdUI->m_nID);
    if (it != updates.end())
        it->second(pCmdUI);
    else
        pCmdUI->Enable(TRUE);
}

BOOL KtvRecordingFrame::OnCommand(WPARAM wParam, LPARAM)
{
    commands.push_back(LOWORD(wParam));
    return TRUE;
}

LRESULT KtvRecordingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETMESSAGESTRING)
        prompts.push_back((UINT)wParam);
    if (KTVM_RESETTOOLBAR != 0 && message == KTVM_RESETTOOLBAR)
        resets.push_back((UINT)wParam);
    return KtvTestDockFrame::WindowProc(message, wParam, lParam);
}

void ToolBarTest::SetUp()
{
    KtvPrepareUiTest();
    tbres::Register();
    HeadlessWindowTest::SetUp();
    tw::user::ResetBeepTrace();
    CKtvPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    frame = new KtvRecordingFrame;
    ASSERT_TRUE(frame->CreateFrame(20, 20, 600, 400));
    ASSERT_TRUE(frame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
}

void ToolBarTest::TearDown()
{
    CKtvPToolBar::m_bCustomizeMode = FALSE;
    CKtvPToolBar::m_bAltCustomization = FALSE;
    CKtvPToolBar::m_bShowTooltips = TRUE;
    CKtvPToolBar::m_pSelToolbar = nullptr;
    CKtvPToolBar::SetLargeIcons(FALSE);
    CKtvPToolBar::m_BasicCommands.RemoveAll();
    CKtvPToolBar::m_NonPermittedCommands.RemoveAll();
    HeadlessWindowTest::TearDown();
    bars.clear();
    CKtvPToolBar::CleanUpImages();
}

CKtvPToolBar* ToolBarTest::MakeBar(const std::vector<UINT>& ids, BOOL bDock, UINT nID)
{
    auto owned = std::make_unique<CKtvPToolBar>();
    CKtvPToolBar* pBar = owned.get();
    bars.push_back(std::move(owned));
    EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, nID));
    int iImage = 0;
    for (UINT id : ids) {
        auto* pButton = new CKtvPToolbarButton(id, id == 0 ? -1 : iImage++, nullptr, FALSE, TRUE);
        if (id == 0)
            pButton->m_nStyle = TBBS_SEPARATOR;
        EXPECT_GE(pBar->InsertButton(pButton), 0);
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (bDock)
        frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pBar->AdjustLayout();
    Pump();
    return pBar;
}

std::string ToolBarTest::Layout(const CKtvPToolBar* pBar)
{
    std::string text;
    for (int i = 0; i < pBar->GetCount(); i++) {
        if (!text.empty())
            text += ' ';
        const CKtvPToolbarButton* pButton = pBar->GetButton(i);
        text += (pButton->m_nStyle & TBBS_SEPARATOR) ? std::string("|") : std::to_string(pButton->m_nID);
    }
    return text;
}

CPoint ToolBarTest::Centre(const CKtvPToolBar* pBar, int i) { return pBar->GetButton(i)->m_rect.CenterPoint(); }

void ToolBarTest::Pump(int n)
{
    for (int i = 0; i < n; i++)
        HeadlessWindowTest::Pump();
}

bool OfferedData::Button(CKtvPToolbarButton& button)
{
    source = std::make_unique<COleDataSource>();
    if (!button.PrepareDrag(*source))
        return false;
    Attach();
    return true;
}

void OfferedData::Text()
{
    source = std::make_unique<COleDataSource>();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(GlobalLock(block), "x", 2);
    GlobalUnlock(block);
    source->CacheGlobalData(CF_TEXT, block);
    Attach();
}

void OfferedData::Attach()
{
    data.Release();
    auto* object = static_cast<LPDATAOBJECT>(source->GetInterface(&IID_IDataObject));
    object->AddRef();
    data.Attach(object, TRUE);
}

}  // namespace tw::test

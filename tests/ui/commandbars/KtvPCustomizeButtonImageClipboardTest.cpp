// Edit Button Image's Copy and Paste against the clipboard as other windows
// and programs leave it: pictures in either form, no picture, and a clipboard
// that someone else holds open.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "ui/commandbars/KtvPImageEditDlg.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

namespace custtest = tw::test::custtest;

constexpr int kClipCx = 16;
constexpr int kClipCy = 15;
constexpr COLORREF kClipWhite = RGB(255, 255, 255);
constexpr COLORREF kClipRed = RGB(255, 0, 0);
constexpr COLORREF kClipTeal = RGB(0, 128, 128);

// Holds the clipboard open from another thread until released.
class ClipboardHolder {
public:
    ClipboardHolder()
        : m_thread([this] {
              m_opened.set_value(::OpenClipboard(nullptr) != FALSE);
              m_release.get_future().wait();
              ::CloseClipboard();
          })
    {
        m_bOpen = m_opened.get_future().get();
    }
    ~ClipboardHolder()
    {
        m_release.set_value();
        m_thread.join();
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool IsOpen() const { return m_bOpen; }

private:
    std::promise<bool> m_opened;
    std::promise<void> m_release;
    std::thread m_thread;
    bool m_bOpen = false;
};

class ButtonImageClipboardTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CClientDC dcScreen(nullptr);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, kClipCx, kClipCy));
        FillImage(kClipWhite);
        ClearClipboard();
        dlg = new CKtvPImageEditDlg(&bitmap, CWnd::FromHandle(parent));
        ASSERT_TRUE(dlg->Create(IDD_KTVP_IMAGE_EDIT, CWnd::FromHandle(parent)));
        dlg->ShowWindow(SW_SHOW);
        custtest::PumpTranslated();
    }
    void TearDown() override
    {
        if (dlg != nullptr && dlg->GetSafeHwnd() != nullptr)
            dlg->DestroyWindow();
        delete dlg;
        ClearClipboard();
        HeadlessWindowTest::TearDown();
    }

    static void ClearClipboard()
    {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
    void FillImage(COLORREF color)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kClipCx, kClipCy, color);
        dc.SelectObject(pOld);
    }
    COLORREF ImagePixel(int x, int y)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        const COLORREF color = dc.GetPixel(x, y);
        dc.SelectObject(pOld);
        return color;
    }
    // A picture of one colour with its top-left pixel red.
    static HBITMAP Picture(int cx, int cy, COLORREF color)
    {
        CClientDC dcScreen(nullptr);
        CBitmap picture;
        picture.CreateCompatibleBitmap(&dcScreen, cx, cy);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&picture);
        dc.FillSolidRect(0, 0, cx, cy, color);
        dc.SetPixel(0, 0, kClipRed);
        dc.SelectObject(pOld);
        return static_cast<HBITMAP>(picture.Detach());
    }
    // Another window of the program writes the clipboard.
    void PutOnClipboard(UINT format, HANDLE data)
    {
        ASSERT_TRUE(::OpenClipboard(parent));
        ::EmptyClipboard();
        ::SetClipboardData(format, data);
        ::CloseClipboard();
    }
    // Another program leaves only a DIB of the picture: the clipboard's own conversion makes it.
    void PutOnlyDibOnClipboard(HBITMAP hPicture)
    {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        ::SetClipboardData(CF_BITMAP, hPicture);
        HANDLE hDib = ::GetClipboardData(CF_DIB);
        ASSERT_NE(hDib, nullptr);
        const SIZE_T nSize = ::GlobalSize(hDib);
        HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
        std::memcpy(::GlobalLock(hCopy), ::GlobalLock(hDib), nSize);
        ::GlobalUnlock(hCopy);
        ::GlobalUnlock(hDib);
        ::EmptyClipboard();
        ::SetClipboardData(CF_DIB, hCopy);
        ::CloseClipboard();
    }
    BOOL PasteEnabled()
    {
        dlg->SendMessage(WM_KICKIDLE, 0, 0);
        const int iPaste = dlg->m_wndPaletteBar.CommandToIndex(ID_KTVP_IMAGE_PASTE);
        EXPECT_GE(iPaste, 0);
        return (dlg->m_wndPaletteBar.GetButtonStyle(iPaste) & TBBS_DISABLED) == 0;
    }
    void Command(UINT nID)
    {
        dlg->SendMessage(WM_COMMAND, nID, 0);
        custtest::PumpTranslated();
    }
    static std::string Message(UINT nID)
    {
        CString str;
        str.LoadString(nID);
        return std::string(str);
    }

    CBitmap bitmap;
    CKtvPImageEditDlg* dlg = nullptr;
};

// A picture left as a bitmap by another window or as a DIB by another program pastes the same way:
// an 8 x 6 picture centred at (4, 4) on the button face.
TEST_F(ButtonImageClipboardTest, PicturesInEitherFormPasteCentred)
{
    struct Case {
        const char* name;
        bool asDib;
    } cases[] = {{"bitmap from another window", false}, {"DIB from another program", true}};
    for (const Case& c : cases) {
        FillImage(kClipWhite);
        HBITMAP hPicture = Picture(8, 6, kClipTeal);
        if (c.asDib) {
            PutOnlyDibOnClipboard(hPicture);
        } else {
            PutOnClipboard(CF_BITMAP, hPicture);
        }
        EXPECT_TRUE(PasteEnabled()) << c.name;
        custtest::MessageBoxAnswerer answerer(IDOK);
        Command(ID_KTVP_IMAGE_PASTE);
        EXPECT_EQ(answerer.boxes, 0) << c.name;
        EXPECT_EQ(ImagePixel(4, 4), kClipRed) << c.name;
        EXPECT_EQ(ImagePixel(11, 9), kClipTeal) << c.name;
        EXPECT_EQ(ImagePixel(3, 4), globalData.clrBtnFace) << c.name;
        EXPECT_EQ(ImagePixel(12, 10), globalData.clrBtnFace) << c.name;
        // The clipboard keeps its picture for the next paste.
        EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP)) << c.name;
        EXPECT_EQ(::GetOpenClipboardWindow(), nullptr) << c.name;
    }
}

// Copy then Paste gives the image back, and Copy leaves the clipboard closed.
TEST_F(ButtonImageClipboardTest, CopiedImagePastesBack)
{
    FillImage(kClipTeal);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.SetPixel(15, 14, kClipRed);
        dc.SelectObject(pOld);
    }
    Command(ID_KTVP_IMAGE_COPY);
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(::GetClipboardOwner(), dlg->GetSafeHwnd());
    Command(ID_KTVP_IMAGE_CLEAR);
    EXPECT_EQ(ImagePixel(15, 14), globalData.clrBtnFace);
    EXPECT_TRUE(PasteEnabled());
    Command(ID_KTVP_IMAGE_PASTE);
    EXPECT_EQ(ImagePixel(15, 14), kClipRed);
    EXPECT_EQ(ImagePixel(0, 0), kClipTeal);
}

// Without a picture Paste is greyed and does nothing; a Paste that cannot read the clipboard, held open
// by another thread, says so and leaves the image; a Copy that cannot write it says so too.
TEST_F(ButtonImageClipboardTest, ClipboardWithoutPictureOrHeldOpenIsRefused)
{
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(::GlobalLock(text), "hello", 6);
    ::GlobalUnlock(text);
    PutOnClipboard(CF_TEXT, text);
    EXPECT_FALSE(PasteEnabled());
    {
        // A greyed command that comes anyway is not run.
        custtest::MessageBoxAnswerer answerer(IDOK);
        Command(ID_KTVP_IMAGE_PASTE);
        EXPECT_EQ(answerer.boxes, 0);
    }
    EXPECT_EQ(ImagePixel(0, 0), kClipWhite);

    PutOnClipboard(CF_BITMAP, Picture(4, 4, kClipTeal));
    EXPECT_TRUE(PasteEnabled());
    ClipboardHolder holder;
    ASSERT_TRUE(holder.IsOpen());
    {
        custtest::MessageBoxAnswerer answerer(IDOK);
        Command(ID_KTVP_IMAGE_PASTE);
        Command(ID_KTVP_IMAGE_COPY);
        ASSERT_EQ(answerer.boxes, 2);
        EXPECT_EQ(answerer.texts[0], Message(IDS_KTVP_CANNOT_PASTE_IMAGE));
        EXPECT_EQ(answerer.texts[1], Message(IDS_KTVP_CANNOT_COPY_IMAGE));
    }
    EXPECT_EQ(ImagePixel(7, 7), kClipWhite);
}

}  // namespace

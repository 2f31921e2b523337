// Mnemonics with letters beyond ASCII, typed as a user on a German or Russian
// keyboard types them: the key goes down (a key of the US positions) and the
// letter arrives as text. With Alt the letter opens a menu of the menu bar or
// runs a toolbar button; in an open menu it runs an item; otherwise it is text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPFrameWnd.h"

namespace {

using menutest::Cmd;
using menutest::Sub;

// Records the commands 100-999 that reach it and enables them.
class MnemonicFrame : public CKtvPFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= 100 && LOWORD(wParam) < 1000) {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CKtvPFrameWnd::OnCommand(wParam, lParam);
    }
    std::vector<UINT> commands;

protected:
    void OnUpdateMnemonicRange(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MnemonicFrame, CKtvPFrameWnd)
    ON_UPDATE_COMMAND_UI_RANGE(100, 999, OnUpdateMnemonicRange)
END_MESSAGE_MAP()

// An edit box that keeps the characters typed into it.
class MnemonicTextBox : public CWnd {
public:
    std::string text;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CHAR)
            text += static_cast<char>(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class MnemonicCharsTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;

        frame = new MnemonicFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        ::SetMenu(frame->GetSafeHwnd(),
                  menutest::Build({Sub("&Файл", {Cmd(100, "&Открыть"), Cmd(101, "&Вставить"), Cmd(102, "&Öffnen")}),
                                   Sub("&Ändern", {Cmd(200, "&Kopieren")}), Cmd(300, "Ü&bersicht")}));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);

        ASSERT_TRUE(toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0xE820));
        for (const auto& [id, label] : std::vector<std::pair<UINT, const char*>>{
                 {400, "&Übernehmen"}, {401, "Сохранить &всё"}, {402, "&Go"}}) {
            auto* pButton = new CKtvPToolbarButton(id, -1, label, FALSE, FALSE);
            pButton->m_bTextShown = TRUE;
            ASSERT_GE(toolBar.InsertButton(pButton), 0);
        }
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&toolBar);
        toolBar.AdjustLayout();

        ASSERT_TRUE(textBox.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(100, 200, 300, 230), frame, 900));
        frame->RecalcLayout();
        textBox.SetFocus();
        Pump();
    }
    void TearDown() override
    {
        if (CKtvPPopupMenu* pOpen = Dropped())
            pOpen->SendMessage(WM_CLOSE);
        Pump();
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuSound::Terminate();
        HeadlessWindowTest::TearDown();
    }

    // The program's message loop: the windows from the target up to the frame see each message first.
    void Pump()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (frame != nullptr && CWnd::WalkPreTranslateTree(frame->GetSafeHwnd(), &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    // The key at the letter's place goes down and up around the letter itself, as the keyboard gives
    // them; no key (0) for the letter alone, which a US key would otherwise type as well.
    void TypeLetter(UINT vkPlace, const char* utf8, UINT vkAlt)
    {
        if (vkAlt != 0)
            input.KeyDown(vkAlt);
        if (vkPlace != 0)
            input.KeyDown(vkPlace);
        input.Text(utf8);
        if (vkPlace != 0)
            input.KeyUp(vkPlace);
        if (vkAlt != 0)
            input.KeyUp(vkAlt);
        Pump();
    }
    CKtvPPopupMenu* Dropped() const
    {
        CKtvPToolbarMenuButton* pButton = menuBar.GetDroppedDownMenu();
        return pButton != nullptr ? pButton->m_pPopupMenu : nullptr;
    }
    std::string DroppedLabel() const
    {
        CKtvPToolbarMenuButton* pButton = menuBar.GetDroppedDownMenu();
        return pButton != nullptr ? std::string(pButton->m_strText) : std::string("none");
    }
    void CloseMenus()
    {
        if (CKtvPPopupMenu* pOpen = Dropped()) {
            pOpen->SendMessage(WM_CLOSE);
            Pump();
        }
        textBox.SetFocus();
        Pump();
    }

    MnemonicFrame* frame = nullptr;
    CKtvPMenuBar menuBar;
    CKtvPToolBar toolBar;
    MnemonicTextBox textBox;
};

// Left Alt with a letter, in either case, opens its menu or runs its button; a letter no label has, or one
// typed with the right Alt (the key that types letters on many layouts), changes nothing.
TEST_F(MnemonicCharsTest, AltWithALetterBeyondAsciiOpensAMenuOrRunsAButton)
{
    struct Case {
        UINT vkPlace;  // the key at the letter's place on the keyboard, 0 for none
        const char* letter;
        UINT vkAlt;
        const char* dropped;
        std::vector<UINT> commands;
        const char* text;  // what the focused text box received
    } const cases[] = {
        {'A', "ф", VK_MENU, "&Файл", {}, ""},
        {'A', "Ф", VK_MENU, "&Файл", {}, ""},
        {VK_OEM_7, "ä", VK_MENU, "&Ändern", {}, ""},
        {VK_OEM_1, "ü", VK_MENU, "none", {400}, ""},
        {'D', "в", VK_MENU, "none", {401}, ""},
        {VK_OEM_3, "ö", VK_MENU, "none", {}, ""},
        {VK_OEM_3, "ö", VK_RMENU, "none", {}, "ö"},
        {0, "ü", 0, "none", {}, "ü"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.letter) + (c.vkAlt == VK_RMENU ? " with right Alt" : c.vkAlt ? " with Alt" : ""));
        frame->commands.clear();
        textBox.text.clear();
        TypeLetter(c.vkPlace, c.letter, c.vkAlt);
        EXPECT_EQ(DroppedLabel(), c.dropped);
        EXPECT_EQ(frame->commands, c.commands);
        EXPECT_EQ(textBox.text, c.text);
        CloseMenus();
    }
}

// In an open menu a typed letter runs its item, with or without Alt; the menu closes.
TEST_F(MnemonicCharsTest, LetterTypedInAnOpenMenuRunsItsItem)
{
    struct Case {
        const char* letter;
        UINT vkPlace;
        UINT command;
    } const cases[] = {{"о", 'J', 100}, {"В", 'D', 101}, {"ö", VK_OEM_3, 102}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        frame->commands.clear();
        TypeLetter('A', "ф", VK_MENU);
        ASSERT_EQ(DroppedLabel(), "&Файл");
        TypeLetter(c.vkPlace, c.letter, 0);
        EXPECT_EQ(frame->commands, std::vector<UINT>{c.command});
        EXPECT_EQ(Dropped(), nullptr);
        EXPECT_EQ(textBox.text, "");
        CloseMenus();
    }
}

// Alt alone gives the menu bar the focus; a letter typed there opens its menu.
TEST_F(MnemonicCharsTest, LetterTypedOnTheFocusedMenuBarOpensItsMenu)
{
    input.KeyStroke(VK_MENU);
    Pump();
    ASSERT_EQ(::GetFocus(), menuBar.GetSafeHwnd());
    TypeLetter(VK_OEM_7, "Ä", 0);
    EXPECT_EQ(DroppedLabel(), "&Ändern");
}

// The bars' own tables: a label's letter after '&' in upper case, as a whole character.
TEST(MnemonicCharKeys, LabelsLetterIsItsUpperCaseCharacter)
{
    struct Case {
        const char* label;
        int iPos;
        UINT key;
    } const cases[] = {
        {"&about", 1, 'A'}, {"&Ändern", 1, 0xC4}, {"&über", 1, 0xDC}, {"&файл", 1, 0x424},
        {"Сохранить &всё", 20, 0x412}, {"&ß", 1, 0xDF}, {"&1", 1, '1'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CKtvPToolBar::MnemonicCharAt(CString(c.label), c.iPos), c.key) << c.label;
}

}  // namespace

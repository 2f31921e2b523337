// A dialog's template may carry dialog-init data: the strings it lists for a
// list box or combo box are in those boxes when the dialog's own
// initialisation runs, in the order written, and a control-state record is
// left to the control that reads it.
#include <string>
#include <vector>

#include "platform/mfc/CDialog.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/DlgInitResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr UINT IDD_INIT_STRINGS = 9046;
constexpr int IDC_INIT_COMBO = 200;
constexpr int IDC_INIT_LIST = 201;

std::vector<BYTE> InitStringsTemplate()
{
    tw::res::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 200;
    dialog.cy = 100;
    auto item = [&](const char* cls, int id, DWORD style, short y) {
        tw::res::DialogItemTemplate it;
        it.style = style | WS_CHILD | WS_VISIBLE;
        it.x = 10;
        it.y = y;
        it.cx = 100;
        it.cy = 40;
        it.id = static_cast<DWORD>(id);
        it.windowClass = tw::res::NameOrOrdinal::FromOrdinal(tw::res::AtomOfClassName(cls));
        it.title = tw::res::NameOrOrdinal::FromText("");
        dialog.items.push_back(it);
    };
    item("ComboBox", IDC_INIT_COMBO, CBS_DROPDOWNLIST, 5);
    item("ListBox", IDC_INIT_LIST, LBS_NOTIFY, 50);
    return tw::res::WriteDialogTemplate(dialog);
}

tw::res::DlgInitRecord InitRecord(int id, WORD message, const std::string& text)
{
    tw::res::DlgInitRecord record;
    record.controlId = static_cast<WORD>(id);
    record.message = message;
    record.data.assign(text.begin(), text.end());
    record.data.push_back(0);
    return record;
}

void RegisterInitStringsDialog()
{
    static const std::vector<BYTE> dialog = InitStringsTemplate();
    static const std::vector<BYTE> init = tw::res::WriteDlgInit({
        InitRecord(IDC_INIT_COMBO, tw::res::kDlgInitComboAddString, "First"),
        InitRecord(IDC_INIT_LIST, tw::res::kDlgInitListAddString, "Listed"),
        InitRecord(IDC_INIT_COMBO, tw::res::kDlgInitComboAddString, "Second"),
        InitRecord(IDC_INIT_LIST, tw::res::kDlgInitControlState, "state bytes"),
    });
    static const tw::ResourceEntry entries[] = {
        {5, nullptr, IDD_INIT_STRINGS, nullptr, 0x0409, dialog.data(), static_cast<DWORD>(dialog.size())},
        {240, nullptr, IDD_INIT_STRINGS, nullptr, 0x0409, init.data(), static_cast<DWORD>(init.size())}};
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), tw::ResourceTable{entries, 2});
    (void)registered;
}

std::vector<std::string> Strings(HWND hwnd, UINT getCount, UINT getText)
{
    std::vector<std::string> strings;
    const int count = static_cast<int>(::SendMessage(hwnd, getCount, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        ::SendMessage(hwnd, getText, i, reinterpret_cast<LPARAM>(text));
        strings.emplace_back(text);
    }
    return strings;
}

class InitStringsDialog : public CDialog {
public:
    InitStringsDialog() : CDialog(IDD_INIT_STRINGS) {}
    BOOL OnInitDialog() override
    {
        combo = Strings(::GetDlgItem(m_hWnd, IDC_INIT_COMBO), CB_GETCOUNT, CB_GETLBTEXT);
        list = Strings(::GetDlgItem(m_hWnd, IDC_INIT_LIST), LB_GETCOUNT, LB_GETTEXT);
        return CDialog::OnInitDialog();
    }
    std::vector<std::string> combo;
    std::vector<std::string> list;
};

class DialogInitStrings : public WindowTest {};

TEST_F(DialogInitStrings, TheTemplatesStringsAreInItsBoxesBeforeInitialisation)
{
    RegisterInitStringsDialog();
    InitStringsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_INIT_STRINGS, nullptr));
    EXPECT_EQ(dlg.combo, (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(dlg.list, (std::vector<std::string>{"Listed"}));
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace tw::mfc::test

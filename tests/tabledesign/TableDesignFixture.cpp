#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {

std::vector<std::string> TableDesignTest::boxes;
int TableDesignTest::answer = IDOK;
WNDPROC TableDesignTest::previous_ = nullptr;
HWND TableDesignTest::lastBox_ = nullptr;

void TableDesignTest::SetUp()
{
    MainWindowTest::SetUp();
    boxes.clear();
    answer = IDOK;
    lastBox_ = nullptr;
    frame->m_SQLServer->Connect("(embedded)", "sa", "");
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc)));
}

void TableDesignTest::TearDown()
{
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    MainWindowTest::TearDown();
}

LRESULT CALLBACK TableDesignTest::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(::GetProp(hwnd, "tw.td.answered"));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::RemoveProp(hwnd, "tw.td.answered");
    }
    return ::CallWindowProc(previous, hwnd, message, wParam, lParam);
}

// The box's button for `answer`; a box without it (an OK box while the
// test answers questions with Yes) is closed with the button it has, as the
// user would, instead of waiting forever for a press that cannot come.
int TableDesignTest::ButtonFor(HWND box)
{
    if (::GetDlgItem(box, answer) != nullptr)
        return answer;
    for (int id : {IDOK, IDCANCEL, IDNO})
        if (::GetDlgItem(box, id) != nullptr)
            return id;
    return answer;
}

// A modal box owned by the main window idles with it as the owner.
LRESULT CALLBACK TableDesignTest::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
        HWND box = reinterpret_cast<HWND>(lParam);
        // A box is answered once; a later box may get the same handle, so the
        // mark goes with the box.
        if (::GetProp(box, "tw.td.answered") == nullptr) {
            ::SetProp(box, "tw.td.answered", reinterpret_cast<HANDLE>(
                ::SetWindowLongPtr(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxProc))));
            lastBox_ = box;
            char text[1024] = {};
            ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
            boxes.emplace_back(text);
            ::PostMessage(box, WM_COMMAND, MAKEWPARAM(ButtonFor(box), BN_CLICKED), 0);
        }
        return 0;
    }
    return ::CallWindowProc(previous_, hwnd, message, wParam, lParam);
}

CTableView* TableDesignTest::Open(const char* table, const char* database)
{
    CTableView* view = tw::tabledesign::OpenDesigner(App().m_pTableTemplate, database, table);
    Pump();
    return view;
}

CTableDesignColumn* TableDesignTest::ColumnsPage(CTableView* view)
{
    return view != nullptr ? dynamic_cast<CTableDesignColumn*>(view->GetTabControl().GetTabWnd(0)) : nullptr;
}

std::string TableDesignTest::Scalar(const std::string& query)
{
    SQLDMO::_DatabasePtr db = frame->m_SQLServer->GetDatabases()->Item("TarnSample");
    SQLDMO::_QueryResultsPtr results = db->ExecuteWithResults(query.c_str());
    return static_cast<const char*>(results->GetColumnString(1, 1));
}

}  // namespace tw::test

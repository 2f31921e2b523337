#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ClassRegistry.h"
#include "platform/com/DispatchInvoke.h"
#include "platform/controls/browser/BrowserAutomation.h"
#include "platform/controls/browser/BrowserView.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/win32/kernel/kernel.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::browser {
namespace {

class RecordingSpawner : public tw::shell::ProcessSpawner {
public:
    int Spawn(const std::vector<std::string>& argv, const std::string&) override
    {
        launched.push_back(argv);
        return 0;
    }
    std::vector<std::vector<std::string>> launched;
};

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string WorkingFolder()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectory(MAX_PATH, folder);
    return folder;
}

// A browser control hosted by CLSID in the headless parent, over two local
// pages: the first links to the second, to a fragment of itself, to a web
// address and to an address of a kind never opened.
class BrowserControlTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        RegisterClasses();
        HeadlessWindowTest::SetUp();
        spawner = std::make_shared<RecordingSpawner>();
        tw::shell::SetProcessSpawner(spawner);

        folder = WorkingFolder() + "/Tutorial/";
        CreateDirectory(folder.c_str(), nullptr);
        WriteFile(folder + "overview.htm",
                  "<html><head><title>Overview</title></head><body style='margin:0;font-size:20px'>"
                  "<p style='margin:0;height:30px'><a href='second%20page.htm'>second</a></p>"
                  "<p style='margin:0;height:30px'><a href='#end'>to the end</a></p>"
                  "<p style='margin:0;height:30px'><a href='http://example.org/docs'>web</a></p>"
                  "<p style='margin:0;height:30px'><a href='javascript:alert(1)'>script</a></p>"
                  "<div style='height:1000px'></div><h2 id='end' style='margin:0'>End</h2></body></html>");
        WriteFile(folder + "second page.htm", "<html><head><title>Second</title></head><body>Two</body></html>");

        // Hosted as a container hosts it: by CLSID, then driven through IDispatch.
        ASSERT_EQ(tw::ole::HostedControls::Instance().Create(CLSID_WebBrowser, parent, RECT{0, 0, 400, 300}, 1115,
                                                             WS_CHILD | WS_VISIBLE, "", &hwnd),
                  S_OK);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetDlgItem(parent, 1115), hwnd);
        IUnknown* object = tw::ole::HostedControls::Instance().Find(hwnd);
        ASSERT_NE(object, nullptr);
        browser = IDispatchPtr(object);
        object->Release();
        ASSERT_TRUE(browser);
        view = BrowserView::FromHandle(hwnd);
        ASSERT_NE(view, nullptr);
    }

    void TearDown() override
    {
        browser = nullptr;
        HeadlessWindowTest::TearDown();
        tw::shell::SetProcessSpawner(nullptr);
    }

    HRESULT Call(DISPID id, std::initializer_list<_variant_t> args = {})
    {
        _variant_t result;
        return tw::com::InvokeDispatch(browser, id, DISPATCH_METHOD, args, &result);
    }

    HRESULT Navigate(const std::string& address) { return Call(104, {_variant_t(address.c_str())}); }

    void ClickAt(int x, int y) { Click(hwnd, x, y); }

    std::shared_ptr<RecordingSpawner> spawner;
    std::string folder;
    HWND hwnd = nullptr;
    BrowserView* view = nullptr;
    IDispatchPtr browser;
};

TEST_F(BrowserControlTest, NavigateShowsThePageAndLinksAreFollowedBackAndForward)
{
    ASSERT_EQ(Navigate(folder + "overview.htm"), S_OK);
    EXPECT_EQ(view->Title(), "Overview");
    ClickAt(10, 15);
    EXPECT_EQ(view->Title(), "Second") << "a relative link with an escaped blank";

    ASSERT_EQ(Call(100), S_OK);
    EXPECT_EQ(view->Title(), "Overview");
    ASSERT_EQ(Call(101), S_OK);
    EXPECT_EQ(view->Title(), "Second");
    EXPECT_EQ(Call(101), DISP_E_EXCEPTION) << "there is nothing ahead";
    EXPECT_EQ(Call(106), S_OK);
}

TEST_F(BrowserControlTest, BackWithNoHistoryFailsAsADispatchException)
{
    EXPECT_EQ(Call(100), DISP_E_EXCEPTION);
    ASSERT_EQ(Navigate(folder + "overview.htm"), S_OK);
    EXPECT_EQ(Call(100), DISP_E_EXCEPTION);
    EXPECT_EQ(view->Title(), "Overview");
}

TEST_F(BrowserControlTest, NavigateTakesTheOptionalArgumentsAndFileAddresses)
{
    _variant_t empty;
    ASSERT_EQ(Call(104, {_variant_t(("file://" + folder + "second%20page.htm").c_str()), empty, empty, empty, empty}),
              S_OK);
    EXPECT_EQ(view->Title(), "Second");
    EXPECT_EQ(Call(104), DISP_E_PARAMNOTOPTIONAL);
}

TEST_F(BrowserControlTest, PlatformPathsWithADriveAndBackslashesAreFound)
{
    std::string path = "C:" + folder + "OVERVIEW.HTM";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    ASSERT_EQ(Navigate(path), S_OK);
    EXPECT_EQ(view->Title(), "Overview");
    ClickAt(10, 15);
    EXPECT_EQ(view->Title(), "Second") << "links resolve against the file found";
}

TEST_F(BrowserControlTest, AFragmentLinkScrollsToItsElement)
{
    ASSERT_EQ(Navigate(folder + "overview.htm"), S_OK);
    ClickAt(10, 45);
    EXPECT_GT(view->ScrollTop(), 0);
    EXPECT_EQ(view->ScrollTop(), view->PageHeight() - 300) << "as far as the page goes";
    Key(VK_HOME);
    EXPECT_EQ(view->ScrollTop(), 0);
}

TEST_F(BrowserControlTest, WebLinksGoToTheSystemBrowserAndOtherSchemesNowhere)
{
    ASSERT_EQ(Navigate(folder + "overview.htm"), S_OK);
    ClickAt(10, 75);
    ASSERT_EQ(spawner->launched.size(), 1u);
    EXPECT_EQ(spawner->launched[0].back(), "http://example.org/docs");
    EXPECT_EQ(view->Title(), "Overview") << "the page stays";

    ClickAt(10, 105);
    EXPECT_EQ(spawner->launched.size(), 1u);
    EXPECT_EQ(view->Title(), "Overview");
}

TEST_F(BrowserControlTest, AMissingPageShowsAnErrorPageInItsPlace)
{
    ASSERT_EQ(Navigate(folder + "missing.htm"), S_OK);
    EXPECT_FALSE(view->Found());
    EXPECT_EQ(view->Title(), "Page not found");
    ASSERT_EQ(Navigate(folder + "overview.htm"), S_OK);
    EXPECT_TRUE(view->Found());
    ASSERT_EQ(Call(100), S_OK);
    EXPECT_FALSE(view->Found()) << "the failed address is in the history too";
}

}  // namespace
}  // namespace tw::browser

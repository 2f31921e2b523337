// Text dropped on the desktop window by another program, injected as the
// desktop reports it: it reaches the drop target under the point as a
// whole drag and drop that offers a copy.
#include "tests/platform/ole/OleTestFixture.h"

#include "platform/ole/DropTargets.h"

namespace tw::ole::test {
namespace {

// Answers each step with a fixed effect and records what it was offered.
class ScriptedTarget final : public ComObject<IDropTarget> {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        Record("enter", grfKeyState, pt, pdwEffect);
        enterText = OleTest::TextOf(pDataObj);
        *pdwEffect = enterAnswer;
        return S_OK;
    }
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        Record("over", grfKeyState, pt, pdwEffect);
        *pdwEffect = overAnswer;
        return S_OK;
    }
    HRESULT DragLeave() override
    {
        events.push_back("leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        Record("drop", grfKeyState, pt, pdwEffect);
        droppedText = OleTest::TextOf(pDataObj);
        if (pumpOnDrop) {
            // A target that runs a message loop of its own, as one showing a message box does.
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(&msg);
        }
        *pdwEffect = DROPEFFECT_COPY;
        return S_OK;
    }

    DWORD enterAnswer = DROPEFFECT_COPY;
    DWORD overAnswer = DROPEFFECT_COPY;
    bool pumpOnDrop = false;
    std::vector<std::string> events;
    std::vector<DWORD> offered;
    std::vector<DWORD> keys;
    POINTL lastPoint{-1, -1};
    std::string enterText = "<none>";
    std::string droppedText = "<none>";

private:
    void Record(const char* event, DWORD grfKeyState, POINTL pt, const DWORD* effect)
    {
        events.push_back(event);
        offered.push_back(*effect);
        keys.push_back(grfKeyState);
        lastPoint = pt;
    }
};

class TextDropTest : public OleTest {
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        window = MakeWindow(RECT{10, 10, 210, 160});
        ASSERT_NE(window, nullptr);
        target = new ScriptedTarget;
        ASSERT_EQ(RegisterDragDrop(window, target), S_OK);
        Pump();
    }
    void TearDown() override
    {
        OleTest::TearDown();
        target->Release();
    }

    HWND window = nullptr;
    ScriptedTarget* target = nullptr;
};

TEST_F(TextDropTest, TextReachesTheTargetWholeAndOffersOnlyACopy)
{
    const std::string text = "select 1\r\nfrom t -- \xC3\xA9t\xC3\xA9\n";
    const POINT at = Centre(window);
    input.DropText(at.x, at.y, text);
    Pump();
    EXPECT_EQ(target->events, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(target->enterText, text);
    EXPECT_EQ(target->droppedText, text);
    EXPECT_EQ(target->offered, (std::vector<DWORD>{DROPEFFECT_COPY, DROPEFFECT_COPY, DROPEFFECT_COPY}));
    // The other program's drag holds the button until the drop.
    EXPECT_EQ(target->keys, (std::vector<DWORD>{MK_LBUTTON, MK_LBUTTON, 0}));
    EXPECT_EQ(target->lastPoint.x, at.x);
    EXPECT_EQ(target->lastPoint.y, at.y);
}

struct RefusalCase {
    const char* name;
    DWORD enterAnswer;
    DWORD overAnswer;
    std::vector<std::string> events;
};

TEST_F(TextDropTest, ATargetThatRefusesIsLeftWithoutADrop)
{
    const RefusalCase cases[] = {
        {"refused on entering", DROPEFFECT_NONE, DROPEFFECT_COPY, {"enter", "leave"}},
        {"a move, which is not offered", DROPEFFECT_MOVE, DROPEFFECT_MOVE, {"enter", "leave"}},
        {"refused over the point", DROPEFFECT_COPY, DROPEFFECT_NONE, {"enter", "over", "leave"}},
    };
    const POINT at = Centre(window);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        target->events.clear();
        target->droppedText = "<none>";
        target->enterAnswer = c.enterAnswer;
        target->overAnswer = c.overAnswer;
        input.DropText(at.x, at.y, "text");
        Pump();
        EXPECT_EQ(target->events, c.events);
        EXPECT_EQ(target->droppedText, "<none>");
    }
}

TEST_F(TextDropTest, AChildWithoutATargetPassesTheDropToItsParent)
{
    HWND child = MakeChild(window, RECT{20, 20, 80, 60});
    ASSERT_NE(child, nullptr);
    const POINT at = Centre(child);
    input.DropText(at.x, at.y, "to the parent");
    Pump();
    EXPECT_EQ(target->droppedText, "to the parent");
}

TEST_F(TextDropTest, WhereNoWindowTakesDropsNothingHappensAndInputGoesOn)
{
    HWND plain = MakeWindow(RECT{300, 10, 400, 110});
    ASSERT_NE(plain, nullptr);
    const POINT over = Centre(plain);
    input.DropText(over.x, over.y, "nowhere");
    const POINT back = Centre(window);
    input.DropText(back.x, back.y, "here");
    Pump();
    EXPECT_EQ(target->events, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(target->droppedText, "here");
}

TEST_F(TextDropTest, ATargetRunningItsOwnMessageLoopOnDropGetsLaterInputToo)
{
    target->pumpOnDrop = true;
    const POINT at = Centre(window);
    input.DropText(at.x, at.y, "first");
    input.DropText(at.x, at.y, "second");
    Pump();
    EXPECT_EQ(target->events, (std::vector<std::string>{"enter", "over", "drop", "enter", "over", "drop"}));
    EXPECT_EQ(target->droppedText, "second");
}

TEST_F(TextDropTest, ARevokedWindowTakesNoMoreDrops)
{
    ASSERT_EQ(RevokeDragDrop(window), S_OK);
    const POINT at = Centre(window);
    input.DropText(at.x, at.y, "late");
    Pump();
    EXPECT_TRUE(target->events.empty());
}

}  // namespace
}  // namespace tw::ole::test

#include "EditModelFixture.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"

namespace {

std::vector<int> LinesOf(const CKtvPEditModel& model, DWORD dwMask = static_cast<DWORD>(-1))
{
    CObList list;
    model.GetMarkers(list, dwMask);
    std::vector<int> lines;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        lines.push_back(static_cast<CKtvPEditMarker*>(list.GetNext(pos))->m_nLine);
    return lines;
}

}  // namespace

class MarkerCountingModel : public RecordingEditModel {
public:
    BOOL OnRemoveMarker(CKtvPEditMarker*, POSITION) override
    {
        ++m_nRemoved;
        return m_bAllowRemove;
    }
    int m_nRemoved = 0;
    BOOL m_bAllowRemove = TRUE;
};

class EditMarkerTest : public EditModelTest {
protected:
    EditMarkerTest()
    {
        Attach(m_counting);
        std::string text;
        for (int i = 0; i < 20; ++i)
            text += "line" + std::to_string(i) + "\n";
        m_model.SetText(text.c_str());
        m_counting.SetText(text.c_str());
    }

    int RowStart(int row) const { return m_model.GetRowStartByNumber(row); }

    MarkerCountingModel m_counting;
};

TEST_F(EditMarkerTest, ToggleAddsThenRemoves)
{
    EXPECT_TRUE(m_model.ToggleMarker(3, KTVP_MARKER_BOOKMARK));
    EXPECT_TRUE(m_model.HasMarkers(KTVP_MARKER_BOOKMARK));
    EXPECT_FALSE(m_model.ToggleMarker(3, KTVP_MARKER_BOOKMARK));
    EXPECT_FALSE(m_model.HasMarkers(KTVP_MARKER_BOOKMARK));
    m_model.SetCaret(RowStart(5) + 2);
    EXPECT_TRUE(m_model.ToggleMarker(-1, KTVP_MARKER_BOOKMARK));
    EXPECT_EQ(LinesOf(m_model), std::vector<int>{5});
}

TEST_F(EditMarkerTest, ReservedTypesAreNeverListed)
{
    EXPECT_TRUE(m_model.ToggleMarker(2, 0x40));
    EXPECT_FALSE(m_model.HasMarkers(static_cast<DWORD>(-1)));
    auto* pMarker = new CKtvPEditMarker;
    pMarker->m_dwMarkerType = 0x8001;
    EXPECT_EQ(m_model.InsertMarker(pMarker, 1), nullptr);  // refused and freed (the leak checker sees it)
    EXPECT_EQ(m_model.GetMarkerList().GetCount(), 0);
}

TEST_F(EditMarkerTest, ListIsSortedByPriorityLineAndType)
{
    m_model.ToggleMarker(7, 0x10000, 0, TRUE, 0);
    m_model.ToggleMarker(2, 1, 0, TRUE, 0);
    m_model.ToggleMarker(9, 1, 0, TRUE, 5);
    m_model.ToggleMarker(2, 0x10000, 0, TRUE, 0);
    m_model.ToggleMarker(2, 2, 0, TRUE, 0);
    CObList list;
    m_model.GetMarkers(list, static_cast<DWORD>(-1));
    std::vector<std::pair<int, DWORD>> order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const auto* pMarker = static_cast<CKtvPEditMarker*>(list.GetNext(pos));
        order.emplace_back(pMarker->m_nLine, pMarker->m_dwMarkerType);
    }
    const std::vector<std::pair<int, DWORD>> expected{{9, 1}, {2, 1}, {2, 2}, {2, 0x10000}, {7, 0x10000}};
    EXPECT_EQ(order, expected);
}

TEST_F(EditMarkerTest, MarkersMoveWithInsertedAndDeletedLines)
{
    m_model.ToggleMarker(5, KTVP_MARKER_BOOKMARK);
    m_model.ToggleMarker(8, KTVP_MARKER_BOOKMARK);

    m_model.InsertText("a\nb\n", RowStart(2));  // two lines above
    EXPECT_EQ(LinesOf(m_model), (std::vector<int>{7, 10}));
    m_model.InsertText("xyz", RowStart(7) + 2);  // inside the marker's own line
    EXPECT_EQ(LinesOf(m_model), (std::vector<int>{7, 10}));
    m_model.InsertText("\n", RowStart(7) + 2);  // a break inside it leaves it on its line
    EXPECT_EQ(LinesOf(m_model), (std::vector<int>{7, 11}));

    m_model.DeleteText(RowStart(6), RowStart(9));  // lines 6 to 8 with the marker on 7
    EXPECT_EQ(LinesOf(m_model), (std::vector<int>{8}));
    m_model.DeleteText(1, 4);  // a deletion without a line feed
    EXPECT_EQ(LinesOf(m_model), (std::vector<int>{8}));
}

TEST_F(EditMarkerTest, EnterAndUndoMoveMarkersToo)
{
    m_model.ToggleMarker(4, KTVP_MARKER_BOOKMARK);
    m_model.SetCaret(RowStart(1));
    m_model.InsertNewLine();
    EXPECT_EQ(LinesOf(m_model), std::vector<int>{5});
    m_model.Undo();
    EXPECT_EQ(LinesOf(m_model), std::vector<int>{4});
    m_model.Redo();
    EXPECT_EQ(LinesOf(m_model), std::vector<int>{5});
}

TEST_F(EditMarkerTest, LineColorMarkerShrinksWithDeletedLines)
{
    const struct {
        int first;
        int last;  // deleted lines, inclusive
        int line;
        int count;
    } cases[] = {
        {6, 7, 5, 2},   // inside: 5..9 becomes 5..7
        {8, 11, 5, 2},  // over its end
        {3, 6, 3, 2},   // over its start
    };
    for (const auto& c : cases) {
        CKtvPLineColorMarker marker;
        marker.m_nLine = 5;
        marker.m_nLineCount = 4;
        EXPECT_EQ(marker.CompareRange(c.first, c.last), 2);
        marker.UpdateForDeletedLines(c.first, c.last);
        EXPECT_EQ(marker.m_nLine, c.line) << c.first;
        EXPECT_EQ(marker.m_nLineCount, c.count) << c.first;
    }
}

TEST_F(EditMarkerTest, LineColorMarkerFollowsADeletionThroughTheControl)
{
    m_model.SetLineColorMarker(5, RGB(1, 2, 3), static_cast<COLORREF>(-1), TRUE, 4);
    m_model.DeleteText(RowStart(6), RowStart(8));
    CKtvPEditMarker* pMarker = nullptr;
    ASSERT_NE(m_model.FindMarker(5, &pMarker, KTVP_MARKER_LINE_COLOR), nullptr);
    auto* pLineColor = static_cast<CKtvPLineColorMarker*>(pMarker);
    EXPECT_EQ(pLineColor->m_nLine, 5);
    EXPECT_EQ(pLineColor->GetLastLine(), 7);
    EXPECT_EQ(pLineColor->m_clrBack, m_model.GetDefaultBackColor());
    EXPECT_NE(m_model.FindMarker(7, nullptr, KTVP_MARKER_LINE_COLOR), nullptr);
    EXPECT_EQ(m_model.FindMarker(8, nullptr, KTVP_MARKER_LINE_COLOR), nullptr);
}

TEST_F(EditMarkerTest, NextAndPreviousWrapAround)
{
    m_model.ToggleMarker(3, KTVP_MARKER_BOOKMARK);
    m_model.ToggleMarker(10, KTVP_MARKER_BOOKMARK);
    m_model.SetCaret(RowStart(12));
    ASSERT_TRUE(m_model.GoToNextMarker(KTVP_MARKER_BOOKMARK, TRUE));
    EXPECT_EQ(m_model.GetCaretOffset(), RowStart(3));
    m_model.SetCaret(RowStart(12));
    ASSERT_TRUE(m_model.GoToNextMarker(KTVP_MARKER_BOOKMARK, FALSE));
    EXPECT_EQ(m_model.GetCaretOffset(), RowStart(10));
    EXPECT_FALSE(m_model.GoToNextMarker(0x10000, TRUE));
}

TEST_F(EditMarkerTest, RemovalHooks)
{
    m_counting.ToggleMarker(2, KTVP_MARKER_BOOKMARK);
    m_counting.m_bAllowRemove = FALSE;
    EXPECT_FALSE(m_counting.DeleteMarker(2, KTVP_MARKER_BOOKMARK));  // a request the hook refuses
    EXPECT_TRUE(m_counting.HasMarkers(KTVP_MARKER_BOOKMARK));
    m_counting.DeleteAllMarkers(static_cast<DWORD>(-1));  // a notice: removed regardless
    EXPECT_FALSE(m_counting.HasMarkers(KTVP_MARKER_BOOKMARK));
    EXPECT_EQ(m_counting.m_nRemoved, 2);
}

TEST_F(EditMarkerTest, DataLookups)
{
    m_model.ToggleMarker(1, 1, 77);
    m_model.ToggleMarker(4, 2, 77);
    m_model.ToggleMarker(6, 1, 5);
    ASSERT_NE(m_model.FindMarkerByData(77), nullptr);
    CObList list;
    m_model.GetMarkersByData(list, 77);
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    m_model.GetMarkersInRange(3, list, static_cast<DWORD>(-1), 7);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(KtvPEditMarker, ArchivesLineTypePriorityAndData)
{
    CMemFile file;
    {
        CKtvPEditMarker marker;
        marker.m_nLine = 12;
        marker.m_dwMarkerType = 0x10000;
        marker.m_unPriority = 3;
        marker.m_dwData = 0xABCD;
        CArchive ar(&file, CArchive::store);
        marker.Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), 16u);
    file.SeekToBegin();
    CKtvPEditMarker loaded;
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.m_nLine, 12);
    EXPECT_EQ(loaded.m_dwMarkerType, 0x10000u);
    EXPECT_EQ(loaded.m_unPriority, 3u);
    EXPECT_EQ(loaded.m_dwData, 0xABCDu);
}

// Toolbar buttons: their stored record byte for byte, image bookkeeping with
// the command manager, measuring, copying and the drag data that carries a
// button between bars.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/CSharedFile.h"
#include "platform/ole/oleidl.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "resources/resource.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

std::string Hex(const std::vector<BYTE>& bytes)
{
    std::string text;
    char buf[4];
    for (BYTE b : bytes) {
        std::snprintf(buf, sizeof buf, text.empty() ? "%02x" : " %02x", b);
        text += buf;
    }
    return text;
}

std::vector<BYTE> Stored(CKtvPToolbarButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
    }
    const auto length = static_cast<UINT>(file.GetLength());
    std::vector<BYTE> bytes(length);
    file.SeekToBegin();
    file.Read(bytes.data(), length);
    return bytes;
}

void Load(CKtvPToolbarButton& button, const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

class ToolbarButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        GetCmdMgr()->ClearAllCmdImages();
        CKtvPToolbarButton::m_bRegisterImages = TRUE;
    }
    void TearDown() override { GetCmdMgr()->ClearAllCmdImages(); }
};

// A button with every stored field away from its default.
void FillEveryField(CKtvPToolbarButton& button)
{
    button.m_nID = 0x8001;
    button.m_nStyle = TBBS_CHECKBOX | TBBS_CHECKED;
    button.m_bUserImage = TRUE;
    button.m_iUserImage = 3;
    button.m_strText = "R\xc3\xa9&sum\xc3\xa9";   // UTF-8 label with a mnemonic
    button.m_bStoredFlag = TRUE;
    button.m_bTextShown = TRUE;
    button.m_bImageShown = FALSE;
    button.m_bVisible = FALSE;
}

const char* const kEveryFieldBytes =
    "01 80 00 00 "               // id
    "02 00 01 00 "               // style
    "03 00 00 00 "               // user image index
    "09 52 c3 a9 26 73 75 6d c3 a9 "   // label, UTF-8
    "01 00 00 00 01 00 00 00 "   // user image, stored flag
    "01 00 00 00 00 00 00 00";   // text shown, image shown

TEST_F(ToolbarButtonTest, RecordCarriesTheVisibleFlagOnlyForStateFrom641On)
{
    struct Case {
        bool workspace;
        int major, minor;
        bool visibleStored;
    } const cases[] = {
        {false, 0, 0, false}, {true, 6, 40, false}, {true, 5, 99, false}, {true, 6, 41, true},
        {true, 7, 0, true},   {true, -1, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.workspace << " " << c.major << "." << c.minor);
        std::unique_ptr<CKtvPWorkspace> workspace;
        if (c.workspace) {
            workspace = std::make_unique<CKtvPWorkspace>();
            workspace->m_nLoadedVersionMajor = c.major;
            workspace->m_nLoadedVersionMinor = c.minor;
        }
        CKtvPToolbarButton button;
        FillEveryField(button);
        const std::string expected = std::string(kEveryFieldBytes) + (c.visibleStored ? " 00 00 00 00" : "");
        EXPECT_EQ(Hex(Stored(button)), expected);

        // And it reads back what it wrote, the hidden flag included when stored.
        CKtvPToolbarButton loaded;
        Load(loaded, Stored(button));
        EXPECT_EQ(loaded.m_bVisible, c.visibleStored ? FALSE : TRUE);
        EXPECT_EQ(Hex(Stored(loaded)), expected);
    }
}

TEST_F(ToolbarButtonTest, HandWrittenRecordLandsEachValueInItsField)
{
    CKtvPWorkspace workspace;   // no state loaded: the visible flag is part of the record
    // id 0x9C45, style disabled, standard image 7, label "&&Go", not a user image, label shown, image shown, visible.
    const std::vector<BYTE> bytes = {0x45, 0x9c, 0, 0, 0, 0, 4, 0, 7, 0, 0, 0, 4, '&', '&', 'G', 'o',
                                     0,    0,    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0,   0,   0,   1, 0, 0, 0};
    CKtvPToolbarButton button;
    Load(button, bytes);
    EXPECT_EQ(button.m_nID, 0x9C45u);
    EXPECT_EQ(button.m_nStyle, static_cast<UINT>(TBBS_DISABLED));
    EXPECT_EQ(button.m_iImage, 7);
    EXPECT_EQ(button.GetImage(), 7);
    EXPECT_STREQ(button.m_strText, "&&Go");
    EXPECT_TRUE(button.m_bTextShown);
    EXPECT_TRUE(button.m_bImageShown);
    EXPECT_TRUE(button.m_bVisible);
    // Loading a standard image records it for the command.
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(0x9C45, FALSE), 7);
}

TEST_F(ToolbarButtonTest, TruncatedRecordThrowsInsteadOfInventingValues)
{
    CKtvPToolbarButton source(0x8002, 1, "Label");
    std::vector<BYTE> bytes = Stored(source);
    bytes.resize(bytes.size() - 3);
    CKtvPToolbarButton button;
    EXPECT_THROW(
        {
            try {
                Load(button, bytes);
            } catch (CException* e) {
                e->Delete();
                throw std::runtime_error("archive");
            }
        },
        std::runtime_error);
}

TEST_F(ToolbarButtonTest, ImageIndexesFollowTheCommandManager)
{
    // A new unlocked button records its image for the command; a locked one does not.
    CKtvPToolbarButton withImage(0x8100, 5);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(0x8100, FALSE), 5);
    CKtvPToolbarButton locked(0x8101, 6, nullptr, FALSE, TRUE);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(0x8101, FALSE), -1);

    // Without an index of its own it takes the command's.
    CKtvPToolbarButton same(0x8100, -1);
    EXPECT_EQ(same.GetImage(), 5);
    EXPECT_TRUE(same.m_bImageShown);

    // While images are not registered a standard image is kept but not recorded; a user image always is.
    CKtvPToolbarButton::m_bRegisterImages = FALSE;
    CKtvPToolbarButton quiet;
    quiet.m_nID = 0x8102;
    quiet.SetImage(2);
    CKtvPToolbarButton user(0x8103, 4, nullptr, TRUE);
    CKtvPToolbarButton::m_bRegisterImages = TRUE;
    EXPECT_EQ(quiet.GetImage(), 2);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(0x8102, FALSE), -1);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(0x8103, TRUE), 4);
}

TEST_F(ToolbarButtonTest, ResetToMissingStandardImageSwitchesToUserImageOrLabel)
{
    GetCmdMgr()->SetCmdImage(0x8200, 9, TRUE);
    CKtvPToolbarButton button(0x8200, 9, "Tool", TRUE);
    button.m_bUserImage = FALSE;
    button.SetImage(-1);
    EXPECT_TRUE(button.m_bUserImage);
    EXPECT_EQ(button.GetImage(), 9);
    EXPECT_TRUE(button.m_bImageShown);

    CKtvPToolbarButton bare;
    bare.m_nID = 0x8201;
    bare.m_bTextShown = FALSE;
    bare.SetImage(-1);
    EXPECT_EQ(bare.GetImage(), -1);
    EXPECT_FALSE(bare.m_bImageShown);
    EXPECT_TRUE(bare.m_bTextShown);
}

TEST_F(ToolbarButtonTest, SeparatorImageIsItsWidth)
{
    CKtvPToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.SetImage(12);
    EXPECT_EQ(separator.m_iImage, 12);
    EXPECT_TRUE(separator.m_bImageShown);
}

TEST_F(ToolbarButtonTest, CopyTakesContentButNotLayoutNorTheDragMark)
{
    CKtvPToolbarButton source(0x8300, 4, "Copy &me");
    source.m_nStyle = TBBS_CHECKBOX;
    source.m_bTextShown = TRUE;
    source.m_bRowBreak = TRUE;
    source.m_strSecondText = "Edit | Copy me";
    source.m_bVisible = FALSE;
    source.m_bStoredFlag = TRUE;
    source.m_rect = CRect(1, 2, 3, 4);
    source.m_bTextBelow = TRUE;
    source.m_bOverflow = TRUE;
    source.m_bWholeText = FALSE;
    source.m_bExtraSize = TRUE;

    CKtvPToolbarButton copy;
    copy.m_bStoredFlag = TRUE;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.m_nID, 0x8300u);
    EXPECT_EQ(copy.m_nStyle, static_cast<UINT>(TBBS_CHECKBOX));
    EXPECT_EQ(copy.GetImage(), 4);
    EXPECT_STREQ(copy.m_strText, "Copy &me");
    EXPECT_TRUE(copy.m_bTextShown);
    EXPECT_TRUE(copy.m_bRowBreak);
    EXPECT_STREQ(copy.m_strSecondText, "Edit | Copy me");
    EXPECT_FALSE(copy.m_bVisible);
    EXPECT_FALSE(copy.m_bStoredFlag);
    EXPECT_TRUE(copy.m_rect.IsRectNull());
    EXPECT_FALSE(copy.m_bTextBelow);
    EXPECT_FALSE(copy.m_bOverflow);
    EXPECT_TRUE(copy.m_bWholeText);
    EXPECT_FALSE(copy.m_bExtraSize);
}

// A screen-compatible DC with the bars' regular font.
class MeasureTest : public ToolbarButtonTest {
protected:
    void SetUp() override
    {
        ToolbarButtonTest::SetUp();
        dc.CreateCompatibleDC(nullptr);
        oldFont = dc.SelectObject(&globalData.fontRegular);
    }
    void TearDown() override
    {
        dc.SelectObject(oldFont);
        ToolbarButtonTest::TearDown();
    }
    int Width(const char* text) { return dc.GetTextExtent(CString(text)).cx; }

    CDC dc;
    CFont* oldFont = nullptr;
};

TEST_F(MeasureTest, SizeFollowsKindLabelAndOrientation)
{
    const CSize def(23, 22);
    struct Case {
        const char* name;
        UINT style;
        int image;
        const char* text;
        BOOL textShown, visible, horz;
        CSize expected;
    } const cases[] = {
        {"separator given width", TBBS_SEPARATOR, 12, "", FALSE, TRUE, TRUE, {12, 22}},
        {"separator width 0", TBBS_SEPARATOR, 0, "", FALSE, TRUE, TRUE, {8, 22}},
        {"separator negative", TBBS_SEPARATOR, -4, "", FALSE, TRUE, TRUE, {8, 22}},
        {"separator vertical", TBBS_SEPARATOR, 30, "", FALSE, TRUE, FALSE, {23, 8}},
        {"hidden", 0, 1, "Hidden", TRUE, FALSE, TRUE, {0, 0}},
        {"image only", 0, 1, "Label", FALSE, TRUE, TRUE, {23, 22}},
        {"image and label", 0, 1, "Label", TRUE, TRUE, TRUE, {23 + Width("Label") + 9, 22}},
        {"image and label vertical", 0, 1, "Label", TRUE, TRUE, FALSE, {23, 22 + Width("Label") + 9}},
        {"label only", 0, -1, "Label", TRUE, TRUE, TRUE, {Width("Label") + 9, 22}},
        {"mnemonic not measured", 0, 1, "&Label", TRUE, TRUE, TRUE, {23 + Width("Label") + 9, 22}},
        {"doubled ampersand is one", 0, 1, "A&&B", TRUE, TRUE, TRUE, {23 + Width("A&B") + 9, 22}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKtvPToolbarButton button;
        button.m_nStyle = c.style;
        button.m_bLocked = TRUE;
        button.SetImage(c.image);
        button.m_strText = c.text;
        button.m_bTextShown = c.textShown;
        button.m_bVisible = c.visible;
        const CSize size = button.OnCalculateSize(&dc, def, c.horz);
        EXPECT_EQ(size.cx, c.expected.cx);
        EXPECT_EQ(size.cy, c.expected.cy);
    }
}

TEST_F(MeasureTest, LabelUnderTheImageWidensAndHeightensTheButton)
{
    CKtvPToolbarButton button(0x8400, 1, "Open", FALSE, TRUE);
    button.m_bTextBelow = TRUE;
    const CSize size = button.OnCalculateSize(&dc, CSize(23, 22), TRUE);
    EXPECT_EQ(button.m_sizeText.cx, Width("Open") + 6);
    EXPECT_GT(button.m_sizeText.cy, 0);
    EXPECT_EQ(size.cx, std::max<int>(23, button.m_sizeText.cx) + 12);
    EXPECT_EQ(size.cy, 22 + button.m_sizeText.cy + 1);

    // Vertically the label is not under the image and, not shown, adds nothing.
    button.m_bTextShown = FALSE;
    const CSize vertical = button.OnCalculateSize(&dc, CSize(23, 22), FALSE);
    EXPECT_EQ(vertical, CSize(23, 22));
}

TEST_F(ToolbarButtonTest, CommandsThatCannotBeEditedAreRecognised)
{
    struct Case {
        UINT id;
        BOOL editable;
    } const cases[] = {
        {0x8000, TRUE},  {0xE10F, TRUE},  {0xE110, FALSE}, {0xE11F, FALSE}, {0xE120, TRUE},
        {0xF000, FALSE}, {0xF1EF, FALSE}, {0xF1F0, TRUE},  {0xFF00, FALSE}, {0xFFFF, FALSE},
        {0xE210, FALSE}, {0xE21F, FALSE}, {(UINT)-1, TRUE},
    };
    for (const Case& c : cases) {
        CKtvPToolbarButton button;
        button.m_nID = c.id;
        EXPECT_EQ(button.IsEditable(), c.editable) << std::hex << c.id;
    }
    CKtvPToolbarButton::m_lstProtectedCommands.AddTail(0x8000);
    CKtvPToolbarButton protectedButton;
    protectedButton.m_nID = 0x8000;
    EXPECT_FALSE(protectedButton.IsEditable());
    CKtvPToolbarButton::m_lstProtectedCommands.RemoveAll();
}

TEST_F(ToolbarButtonTest, DefaultTextComesFromTheCommandStringAfterItsFirstLine)
{
    CKtvPToolbarMenuButton menuButton;
    CKtvPToolbarButton unnamed(IDR_TARNWICK_DOCUMENT, -1, nullptr, FALSE, TRUE);
    EXPECT_TRUE(unnamed.ExportToMenuButton(menuButton));
    EXPECT_STREQ(menuButton.m_strText, "TrnWk\nTrnWk\nTarnw Files (*.sql)\n.sql\nTarnwick.Document\nTrnWk Document");

    CKtvPToolbarMenuButton keeps;
    keeps.m_strText = "kept";
    CKtvPToolbarButton named(IDR_TARNWICK_DOCUMENT, -1, "Named", FALSE, TRUE);
    named.ExportToMenuButton(keeps);
    EXPECT_STREQ(keeps.m_strText, "kept");
}

TEST_F(ToolbarButtonTest, ResetImageTakesTheCommandImageOrFallsBackToTheLabel)
{
    GetCmdMgr()->SetCmdImage(0x8500, 6, FALSE);
    CKtvPToolbarButton button(0x8500, 2, nullptr, FALSE, TRUE);
    button.ResetImageToDefault();
    EXPECT_EQ(button.GetImage(), 6);

    CKtvPToolbarButton noImage(IDR_TARNWICK_DOCUMENT, 2, nullptr, FALSE, TRUE);
    noImage.ResetImageToDefault();
    EXPECT_FALSE(noImage.m_bImageShown);
    EXPECT_TRUE(noImage.m_bTextShown);
    EXPECT_TRUE(noImage.m_strText.Find("TrnWk") == 0);

    CKtvPToolbarButton user(0x8501, 3, nullptr, TRUE, TRUE);
    user.ResetImageToDefault();
    EXPECT_EQ(user.GetImage(), 3);
    EXPECT_TRUE(user.m_bImageShown);
}

}  // namespace

// A button kind of its own, to see that drag data makes the dragged kind again.
class KindOfButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(KindOfButton)
};
IMPLEMENT_SERIAL(KindOfButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

// Drag data travels as a data object like the one a drop hands to its target.
class DragDataTest : public ToolbarButtonTest {
protected:
    CKtvPToolbarButton* RoundTrip(COleDataSource& source)
    {
        COleDataObject data;
        auto* object = static_cast<LPDATAOBJECT>(source.GetInterface(&IID_IDataObject));
        object->AddRef();
        data.Attach(object, TRUE);
        return CKtvPToolbarButton::CreateFromOleData(&data);
    }

    // Drag data made of the given bytes under the buttons' format.
    CKtvPToolbarButton* FromBytes(const std::vector<BYTE>& bytes)
    {
        COleDataSource source;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        source.CacheGlobalData(static_cast<CLIPFORMAT>(CKtvPToolbarButton::GetClipboardFormat()), block);
        return RoundTrip(source);
    }

    std::vector<BYTE> DragBytes(CKtvPToolbarButton& button)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar.WriteClass(button.GetRuntimeClass());
            button.Serialize(ar);
        }
        std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }
};

TEST_F(DragDataTest, ButtonKindAndFieldsSurviveTheTrip)
{
    KindOfButton button;
    button.m_nID = 0x8600;
    button.m_strText = "&Menu";
    button.m_bTextShown = TRUE;
    button.m_bStoredFlag = TRUE;   // what the command list marks a drag with

    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    std::unique_ptr<CKtvPToolbarButton> dropped(RoundTrip(source));
    ASSERT_NE(dropped, nullptr);
    EXPECT_TRUE(dropped->IsKindOf(RUNTIME_CLASS(KindOfButton)));
    EXPECT_EQ(dropped->m_nID, 0x8600u);
    EXPECT_STREQ(dropped->m_strText, "&Menu");
    EXPECT_TRUE(dropped->m_bStoredFlag);
}

TEST_F(DragDataTest, DataThatIsNoButtonGivesNone)
{
    CKtvPToolbarButton button(0x8700, 1, "Cut", FALSE, TRUE);
    const std::vector<BYTE> good = DragBytes(button);

    std::vector<BYTE> truncated = good;
    truncated.resize(good.size() - 2);
    EXPECT_EQ(FromBytes(truncated), nullptr);

    // The class record names a class that exists but is no button.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteClass(RUNTIME_CLASS(CKtvPUserTool));
        button.Serialize(ar);
    }
    std::vector<BYTE> foreign(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(foreign.data(), static_cast<UINT>(foreign.size()));
    EXPECT_EQ(FromBytes(foreign), nullptr);

    // A class no one knows: the name's first letter changed.
    std::vector<BYTE> unknown = good;
    unknown[6] = 'X';
    EXPECT_EQ(FromBytes(unknown), nullptr);

    // A data object without the format.
    COleDataSource empty;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 1);
    empty.CacheGlobalData(CF_TEXT, block);
    EXPECT_EQ(RoundTrip(empty), nullptr);
}

// A button that may not be stored puts no drag data and that is no failure.
class UnstorableButton : public CKtvPToolbarButton {
public:
    BOOL CanBeStored() const override { return FALSE; }
};

TEST_F(DragDataTest, UnstorableButtonPutsNothing)
{
    UnstorableButton button;
    COleDataSource source;
    EXPECT_TRUE(button.PrepareDrag(source));
    EXPECT_EQ(RoundTrip(source), nullptr);
}

}  // namespace

// CImageList: its own handle map, and the image list living exactly as long
// as the object holding it (unless detached).
#include "tests/platform/mfc/controls/ControlHost.h"

namespace tw::mfc::test {
namespace {

using ImageListWrapper = ControlsTest;

TEST_F(ImageListWrapper, FromHandleFindsTheOwnerOrMakesATemporary)
{
    CImageList owned;
    ASSERT_TRUE(owned.Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 1));
    EXPECT_EQ(CImageList::FromHandle(owned.m_hImageList), &owned);
    EXPECT_EQ(CImageList::FromHandlePermanent(owned.m_hImageList), &owned);
    HIMAGELIST second = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    EXPECT_FALSE(owned.Attach(second)) << "one list per object";
    ImageList_Destroy(second);

    HIMAGELIST loose = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    CImageList* temporary = CImageList::FromHandle(loose);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hImageList, loose);
    EXPECT_EQ(CImageList::FromHandlePermanent(loose), nullptr);
    EXPECT_EQ(CImageList::FromHandle(loose), temporary) << "one temporary per handle until the map is cleared";
    CImageList::DeleteTempMap();
    EXPECT_EQ(ImageList_GetImageCount(loose), 0) << "clearing temporaries leaves their lists alone";
    EXPECT_TRUE(ImageList_Destroy(loose));
    EXPECT_EQ(CImageList::FromHandle(nullptr), nullptr);
}

TEST_F(ImageListWrapper, TheListDiesWithItsObjectUnlessDetached)
{
    HIMAGELIST kept = nullptr;
    HIMAGELIST destroyed = nullptr;
    {
        CImageList keeper;
        ASSERT_TRUE(keeper.Create(16, 16, ILC_COLOR32, 1, 1));
        kept = keeper.Detach();
        EXPECT_EQ(CImageList::FromHandlePermanent(kept), nullptr);
        CImageList owner;
        ASSERT_TRUE(owner.Create(16, 16, ILC_COLOR32, 1, 1));
        destroyed = owner.m_hImageList;
    }
    EXPECT_EQ(ImageList_GetImageCount(kept), 0);
    EXPECT_FALSE(ImageList_Destroy(destroyed)) << "already destroyed with its object";
    EXPECT_TRUE(ImageList_Destroy(kept));

    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32, 1, 1));
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_EQ(list.m_hImageList, nullptr);
    EXPECT_FALSE(list.DeleteImageList());
}

TEST_F(ImageListWrapper, ImagesAddedFromBitmapsWithAMaskColour)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
    CClientDC screen(&host);
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 48, 16));
    EXPECT_EQ(list.Add(&strip, RGB(255, 255, 255)), 0);
    EXPECT_EQ(list.GetImageCount(), 3) << "a 48-pixel strip is three 16-pixel images";
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(list.GetImageCount(), 2);

    CImageList copy;
    ASSERT_TRUE(copy.Create(&list));
    EXPECT_NE(copy.m_hImageList, list.m_hImageList);
    EXPECT_EQ(copy.GetImageCount(), 2);
}

}  // namespace
}  // namespace tw::mfc::test

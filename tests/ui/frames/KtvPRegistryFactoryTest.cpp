#include <gtest/gtest.h>

#include "ui/frames/KtvPRegistryFactory.h"

namespace {

class CFactoryTestRegistry : public CKtvPRegistry {
    DECLARE_DYNCREATE(CFactoryTestRegistry)
public:
    ~CFactoryTestRegistry() override { ++s_nDestroyed; }
    static int s_nDestroyed;
};
int CFactoryTestRegistry::s_nDestroyed = 0;
IMPLEMENT_DYNCREATE(CFactoryTestRegistry, CKtvPRegistry)

class CFactoryTestNotRegistry : public CObject {
    DECLARE_DYNCREATE(CFactoryTestNotRegistry)
};
IMPLEMENT_DYNCREATE(CFactoryTestNotRegistry, CObject)

// Every test leaves the plain class registered.
class KtvPRegistryFactoryTest : public testing::Test {
protected:
    void TearDown() override { CKtvPRegistryFactory::SetRuntimeClass(nullptr); }
};

TEST_F(KtvPRegistryFactoryTest, CreatesTheRegisteredClassWithTheRequestedFlags)
{
    ASSERT_TRUE(CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CFactoryTestRegistry)));
    const int nDestroyedBefore = CFactoryTestRegistry::s_nDestroyed;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(TRUE, TRUE);
        EXPECT_TRUE(reg.IsKindOf(RUNTIME_CLASS(CFactoryTestRegistry)));
        EXPECT_TRUE(reg.m_bAdmin);
        EXPECT_TRUE(reg.m_bReadOnly);
        EXPECT_EQ(reg.m_hKey, HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(reg.m_strPath.IsEmpty());
        // A second call answers the same object whatever it asks for.
        CKtvPRegistry& again = factory.Create(FALSE, FALSE);
        EXPECT_EQ(&again, &reg);
        EXPECT_TRUE(again.m_bReadOnly);
    }
    EXPECT_EQ(CFactoryTestRegistry::s_nDestroyed, nDestroyedBefore + 1);
}

TEST_F(KtvPRegistryFactoryTest, RefusesClassesThatAreNoRegistryAndKeepsTheRegistration)
{
    ASSERT_TRUE(CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CFactoryTestRegistry)));
    EXPECT_FALSE(CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CFactoryTestNotRegistry)));
    EXPECT_EQ(CKtvPRegistryFactory::GetRuntimeClass(), RUNTIME_CLASS(CFactoryTestRegistry));

    CKtvPRegistryFactory factory;
    EXPECT_TRUE(factory.Create(FALSE, TRUE).IsKindOf(RUNTIME_CLASS(CFactoryTestRegistry)));
}

TEST_F(KtvPRegistryFactoryTest, NullRestoresThePlainClassOnTheCurrentUser)
{
    ASSERT_TRUE(CKtvPRegistryFactory::SetRuntimeClass(RUNTIME_CLASS(CFactoryTestRegistry)));
    ASSERT_TRUE(CKtvPRegistryFactory::SetRuntimeClass(nullptr));
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    EXPECT_EQ(reg.GetRuntimeClass(), RUNTIME_CLASS(CKtvPRegistry));
    EXPECT_EQ(reg.m_hKey, HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.m_bReadOnly);
}

}  // namespace

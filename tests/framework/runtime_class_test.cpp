#include "framework/CException.h"
#include "framework/CObject.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Animal : public CObject {
    DECLARE_DYNAMIC(Animal)
};
class Bird : public Animal {
    DECLARE_DYNAMIC(Bird)
};
class Stone : public CObject {
    DECLARE_DYNAMIC(Stone)
};

IMPLEMENT_DYNAMIC(Animal, CObject)
IMPLEMENT_DYNAMIC(Bird, Animal)
IMPLEMENT_DYNAMIC(Stone, CObject)

TEST(RuntimeClass, RecordNamesTheClassAndItsBase) {
    const CRuntimeClass* bird = RUNTIME_CLASS(Bird);
    EXPECT_STREQ("Bird", bird->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(Animal), bird->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(Animal)->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_EQ(static_cast<int>(sizeof(Bird)), bird->m_nObjectSize);
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChainOnly) {
    Bird bird;
    Stone stone;
    const CObject& asObject = bird;
    EXPECT_EQ(RUNTIME_CLASS(Bird), asObject.GetRuntimeClass());
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(Bird)));
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(Animal)));
    EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(asObject.IsKindOf(RUNTIME_CLASS(Stone)));
    EXPECT_FALSE(stone.IsKindOf(RUNTIME_CLASS(Animal)));
    EXPECT_FALSE(asObject.IsKindOf(nullptr));

    CObject* pObject = &bird;
    EXPECT_EQ(&bird, DYNAMIC_DOWNCAST(Animal, pObject));
    pObject = &stone;
    EXPECT_EQ(DYNAMIC_DOWNCAST(Animal, pObject), nullptr);
}

TEST(FrameworkExceptions, ResourceExceptionIsSharedAndCarriesItsMessage) {
    CException* caught = nullptr;
    try {
        AfxThrowResourceException();
    } catch (CException* e) {
        caught = e;
    }
    ASSERT_NE(nullptr, caught);
    EXPECT_TRUE(caught->IsKindOf(RUNTIME_CLASS(CResourceException)));
    char text[64];
    EXPECT_TRUE(caught->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("A required resource was unavailable.", text);
    // The shared object survives Delete(); a second throw gives the same one.
    caught->Delete();
    try {
        AfxThrowResourceException();
    } catch (CResourceException* e) {
        EXPECT_EQ(caught, e);
    }
}

TEST(FrameworkExceptions, MessageIsCutToTheBuffer) {
    CMemoryException* e = new CMemoryException();
    char text[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("Out", text);
    EXPECT_FALSE(e->GetErrorMessage(text, 0));
    e->Delete(); // heap-made: freed here (the leak checker would tell otherwise)
}

} // namespace

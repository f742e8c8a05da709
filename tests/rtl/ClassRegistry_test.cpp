#include "framework/rtl/ClassRegistry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TRegisteredThing : public TComponent {
public:
    using TComponent::TComponent;
};

class TDerivedThing : public TRegisteredThing {
public:
    using TRegisteredThing::TRegisteredThing;
};

class TPlainSetting : public TPersistent {};

namespace other {
// Same class name as above, another type: must not replace the registered one.
class TRegisteredThing : public TComponent {
public:
    using TComponent::TComponent;
};
}  // namespace other

TEST(ClassRegistry, FoundByNameIgnoringCaseAndMadeWithItsOwner) {
    RegisterClass<TRegisteredThing>();
    RegisterClass<TRegisteredThing>();  // again: nothing happens
    TPersistentClass C = FindClass(QStringLiteral("tregisteredthing"));
    ASSERT_EQ(C, ClassOf<TRegisteredThing>());
    EXPECT_EQ(C->ClassName(), QStringLiteral("TRegisteredThing"));

    TComponent Owner(nullptr);
    TPersistent* Made = C->Create(&Owner);
    EXPECT_EQ(Made->ClassName(), QStringLiteral("TRegisteredThing"));
    EXPECT_EQ(Owner.ComponentCount(), 1);  // freed with its owner
    EXPECT_TRUE(C->IsInstance(Made));
    EXPECT_FALSE(ClassOf<TDerivedThing>()->IsInstance(Made));
    UnRegisterClass(C);
    EXPECT_EQ(GetClass(QStringLiteral("TRegisteredThing")), nullptr);
}

TEST(ClassRegistry, UnknownNamesAndClashesRaiseClearErrors) {
    EXPECT_EQ(GetClass(QStringLiteral("TNoSuchClass")), nullptr);
    try {
        FindClass(QStringLiteral("TNoSuchClass"));
        FAIL();
    } catch (const EClassNotFound& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Class TNoSuchClass not found"));
    }
    RegisterClasses({ClassOf<TRegisteredThing>(), ClassOf<TPlainSetting>()});
    EXPECT_THROW(RegisterClass<other::TRegisteredThing>(), EFilerError);
    EXPECT_EQ(FindClass(QStringLiteral("TRegisteredThing")), ClassOf<TRegisteredThing>());
    std::unique_ptr<TPersistent> Setting(FindClass(QStringLiteral("TPlainSetting"))->Create());
    EXPECT_EQ(Setting->ClassName(), QStringLiteral("TPlainSetting"));
    UnRegisterClass(ClassOf<TRegisteredThing>());
    UnRegisterClass(ClassOf<TPlainSetting>());
}

class TAbstractThing : public TPersistent {
public:
    virtual void Shape() = 0;
};

TEST(ClassRegistry, AnAbstractClassIsFoundButNotMade) {
    RegisterClass<TAbstractThing>();
    TPersistentClass C = FindClass(QStringLiteral("TAbstractThing"));
    EXPECT_FALSE(C->CanCreate());
    EXPECT_THROW(C->Create(), EAbstractError);
    UnRegisterClass(C);
}

}  // namespace

#include "framework/rtl/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

const Byte kGreeting[] = {'h', 'e', 'l', 'l', 'o'};
QVD_RESOURCE(RT_RCDATA, "Greeting", kGreeting);

TEST(Resources, StaticRegistrationIsFoundIgnoringCase) {
    for (const char* Name : {"Greeting", "GREETING", "greeting"}) {
        HRSRC Found = FindResource(HInstance, QString::fromLatin1(Name), RT_RCDATA);
        ASSERT_NE(Found, nullptr) << Name;
        EXPECT_EQ(SizeofResource(HInstance, Found), 5u);
        EXPECT_EQ(std::memcmp(LoadResource(HInstance, Found), "hello", 5), 0);
        EXPECT_EQ(ResourceName(Found), QStringLiteral("Greeting"));
    }
    EXPECT_EQ(FindResource(HInstance, QStringLiteral("Greeting"), RT_BITMAP), nullptr) << "types are apart";
    EXPECT_EQ(FindResource(HInstance, QString(), RT_RCDATA), nullptr);
}

TEST(Resources, StreamReadsACopyAndRefusesWrites) {
    TResourceStream Stream(HInstance, QStringLiteral("greeting"), RT_RCDATA);
    EXPECT_EQ(Stream.Size(), 5);
    EXPECT_EQ(Stream.ReadString(5), QStringLiteral("hello"));
    EXPECT_THROW(Stream.Write("x", 1), EStreamError);
    EXPECT_THROW(Stream.SetSize(0), EStreamError);
    EXPECT_EQ(Stream.Size(), 5);
}

TEST(Resources, MissingResourceRaisesWithItsName) {
    try {
        TResourceStream Stream(HInstance, QStringLiteral("NOPE"), RT_RCDATA);
        FAIL() << "no exception";
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Resource NOPE not found"));
    }
    try {
        std::unique_ptr<TResourceStream> Stream(TResourceStream::CreateFromID(HInstance, 4711, RT_RCDATA));
        FAIL() << "no exception";
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Resource 4711 not found"));
    }
}

TEST(Resources, IdentifiersReplacementAndRemoval) {
    const Byte One[] = {1};
    const Byte Two[] = {2, 2};
    RegisterResource(RT_RCDATA, 77, One, sizeof(One));
    std::unique_ptr<TResourceStream> ById(TResourceStream::CreateFromID(HInstance, 77, RT_RCDATA));
    EXPECT_EQ(ById->Size(), 1);
    EXPECT_NE(FindResource(HInstance, QStringLiteral("#77"), RT_RCDATA), nullptr) << "an identifier is the name #N";

    RegisterResource(RT_RCDATA, QStringLiteral("#77"), Two, sizeof(Two));
    EXPECT_EQ(SizeofResource(HInstance, FindResource(HInstance, 77, RT_RCDATA)), 2u) << "replaced, not doubled";
    EXPECT_EQ(ById->Size(), 1) << "an open stream keeps its copy";

    EXPECT_TRUE(UnregisterResource(RT_RCDATA, 77));
    EXPECT_FALSE(UnregisterResource(RT_RCDATA, 77));
    EXPECT_EQ(FindResource(HInstance, 77, RT_RCDATA), nullptr);
    EXPECT_THROW(RegisterResource(RT_RCDATA, QString(), One, 1), EArgumentException);
}

}  // namespace

#include "framework/ui/PlatformFacts.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

struct MetricCase {
    int Index;
    int Expected;
};

TEST(GetSystemMetrics, AnswersTheStandardSizesAtNinetySixPixelsPerInch) {
    const MetricCase Cases[] = {
        {SM_CXVSCROLL, 17},
        {SM_CYHSCROLL, 17},
        {SM_CYVSCROLL, 17},
        {SM_CXHSCROLL, 17},
        {SM_CXBORDER, 1},
        {SM_CYBORDER, 1},
        {SM_CXEDGE, 2},
        {SM_CYEDGE, 2},
        {SM_CXFRAME, 4},
        {SM_CYFRAME, 4},
        {-1, 0},
        {9999, 0},
    };
    for (const MetricCase& C : Cases) EXPECT_EQ(GetSystemMetrics(C.Index), C.Expected) << "index " << C.Index;
}

TEST(GetSystemMetrics, FollowsTheFactsAndTheScreenATestSets) {
    {
        TPlatformFactsScope Scope;
        PlatformFacts().ScrollBarSize = 21;
        PlatformFacts().FrameSize = 8;
        EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 21);
        EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 21);
        EXPECT_EQ(GetSystemMetrics(SM_CYSIZEFRAME), 8);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17) << "the scope puts the facts back";

    Screen->SetSize(1024, 768);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    Screen->ResetOverrides();
}

}  // namespace

#include "framework/rtl/Math.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

TEST(Math, MaskedFaultsGiveSpecialValues) {
    const auto Previous = SetExceptionMask(exAllArithmeticExceptions);
    EXPECT_EQ(GetExceptionMask(), exAllArithmeticExceptions);
    volatile double Zero = 0.0;
    volatile double One = 1.0;
    EXPECT_TRUE(std::isinf(One / Zero));
    EXPECT_TRUE(std::isnan(Zero / Zero));
    SetExceptionMask(Previous);
}

TEST(Math, MaskRoundTrips) {
    const auto Previous = SetExceptionMask({exPrecision, exUnderflow, exDenormalized});
    EXPECT_EQ(GetExceptionMask(), (TArithmeticExceptionMask{exPrecision, exUnderflow, exDenormalized}));
    SetExceptionMask(Previous);
    EXPECT_EQ(GetExceptionMask(), Previous);
}

}  // namespace

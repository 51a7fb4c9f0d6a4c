// The one double-to-integer conversion: truncation toward zero, INT32_MIN for anything that is
// not finite or does not fit. Under UBSan a plain cast of these inputs would trap.
#include "core/truncate.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

TEST(TruncateToInt, TruncatesTowardZeroAndMapsTheRestToInt32Min) {
    struct Case {
        const char* name;
        double value;
        int32_t expected;
    };
    const double infinity = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"zero", 0.0, 0},
        {"negative zero", -0.0, 0},
        {"3.99", 3.99, 3},
        {"-0.52", -0.52, 0},
        {"-3.99", -3.99, -3},
        {"0.5", 0.5, 0},
        {"-0.5", -0.5, 0},
        {"1.5", 1.5, 1},
        {"-1.5", -1.5, -1},
        {"2.5", 2.5, 2},
        {"-2.5", -2.5, -2},
        {"just below 1", std::nextafter(1.0, 0.0), 0},
        {"smallest subnormal", std::numeric_limits<double>::denorm_min(), 0},
        {"int32 max", 2147483647.0, INT32_MAX},
        {"just below 2^31", 2147483647.999, INT32_MAX},
        {"2^31", 2147483648.0, INT32_MIN},
        {"int32 min", -2147483648.0, INT32_MIN},
        {"int32 min plus one", -2147483647.0, -2147483647},
        {"fraction below int32 min", -2147483648.75, INT32_MIN},
        {"below int32 min", -2147483649.0, INT32_MIN},
        {"1e300", 1e300, INT32_MIN},
        {"-1e300", -1e300, INT32_MIN},
        {"largest double", DBL_MAX, INT32_MIN},
        {"+infinity", infinity, INT32_MIN},
        {"-infinity", -infinity, INT32_MIN},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
        {"negative NaN", -std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, truncate_to_int(c.value)) << c.name;
    }
}

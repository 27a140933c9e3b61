// The typed-entry conversion: what it takes, and the exact message for what it refuses.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/str_to_int.h"

namespace {

std::string Refusal(std::string_view text) {
    try {
        StrToInt(text);
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(StrToIntTest, TakesSignedWholeNumbersWithinThe32BitRange) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("37"), 37);
    EXPECT_EQ(StrToInt("+12"), 12);
    EXPECT_EQ(StrToInt("-5"), -5);
    EXPECT_EQ(StrToInt("0001218"), 1218);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToIntTest, RefusesEverythingElseWithTheEntryInTheMessage) {
    EXPECT_EQ(Refusal("abc"), "'abc' is not a valid integer value");
    EXPECT_EQ(Refusal(""), "'' is not a valid integer value");
    EXPECT_EQ(Refusal("-"), "'-' is not a valid integer value");
    EXPECT_EQ(Refusal("+"), "'+' is not a valid integer value");
    EXPECT_EQ(Refusal("1 2"), "'1 2' is not a valid integer value");
    EXPECT_EQ(Refusal("12a"), "'12a' is not a valid integer value");
    EXPECT_EQ(Refusal("3.5"), "'3.5' is not a valid integer value");
    EXPECT_EQ(Refusal("2147483648"), "'2147483648' is not a valid integer value");
    EXPECT_EQ(Refusal("-2147483649"), "'-2147483649' is not a valid integer value");
    EXPECT_EQ(Refusal("99999999999999999999999"), "'99999999999999999999999' is not a valid integer value");
    EXPECT_EQ(Refusal("１２"), "'１２' is not a valid integer value");  // full-width digits
}

}  // namespace

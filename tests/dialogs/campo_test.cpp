// Reading a typed entry as a float: the leading decimal number, never an infinity or a NaN.
#include <gtest/gtest.h>

#include "dialogs/campo.h"

#include <float.h>
#include <math.h>
#include <string>

namespace {

struct Leitura {
    const char *name;
    std::string text;
    float expected;
};

void check(const Leitura &r) {
    float v = textoparafloat(r.text.c_str());
    EXPECT_TRUE(isfinite(v)) << r.name;
    EXPECT_EQ(v, r.expected) << r.name << ": \"" << r.text << "\"";
}

TEST(TextoParaFloat, DecimalNumbersReadAsAtofReadsThem) {
    const Leitura rows[] = {
        {"integer", "42", 42.0f},
        {"negative", "-3", -3.0f},
        {"plus sign", "+5", 5.0f},
        {"fraction", "0.25", 0.25f},
        {"point first", ".5", 0.5f},
        {"point last", "5.", 5.0f},
        {"exponent", "1e3", 1000.0f},
        {"negative exponent", "25E-2", 0.25f},
        {"leading blanks", " \t\n 12", 12.0f},
        {"as %5.2f shows zero", " 0.00", 0.0f},
        {"trailing text ignored", "12abc", 12.0f},
        {"a comma ends the number", "1,5", 1.0f},
        {"an exponent without digits is not one", "1e", 1.0f},
        {"a signed exponent without digits", "2e+x", 2.0f},
        {"a second point ends the number", "1.2.3", 1.2f},
        {"ten digits", "-123456789", -123456789.0f},
        {"rounded to float", "0.1", 0.1f},
        {"a hexadecimal text reads its leading 0", "0x1p3", 0.0f},
        {"the largest float itself", "3.4028235e38", FLT_MAX},
    };
    for (const auto &r : rows) check(r);
    EXPECT_TRUE(signbit(textoparafloat("-0"))) << "a typed -0 stays as atof gives it";
}

TEST(TextoParaFloat, TextsWithoutALeadingDecimalNumberReadZero) {
    const Leitura rows[] = {
        {"empty", "", 0.0f},
        {"blanks only", "   ", 0.0f},
        {"letters", "abc", 0.0f},
        {"infinity", "inf", 0.0f},
        {"negative infinity", "-inf", 0.0f},
        {"infinity spelled out", "INFINITY", 0.0f},
        {"not a number", "nan", 0.0f},
        {"not a number with payload", "nan(1)", 0.0f},
        {"sign only", "-", 0.0f},
        {"point only", ".", 0.0f},
        {"exponent only", "e5", 0.0f},
        {"two signs", "--1", 0.0f},
    };
    for (const auto &r : rows) check(r);
}

TEST(TextoParaFloat, NumbersBeyondTheFloatRangeStopAtTheLargestFloat) {
    const Leitura rows[] = {
        {"just beyond float", "3.5e38", FLT_MAX},
        {"beyond float, negative", "-1e39", -FLT_MAX},
        {"beyond double", "1e400", FLT_MAX},
        {"beyond double, negative", "-9e9999", -FLT_MAX},
        {"an exponent too long to count", "1e999999999999", FLT_MAX},
        {"many digits", std::string(400, '9'), FLT_MAX},
        {"below double", "1e-400", 0.0f},
        {"below double, negative exponent with many digits", "5e-99999999", 0.0f},
        {"many zeros after the point", "0." + std::string(400, '0') + "1", 0.0f},
        {"a tiny mantissa raised", "0.00001e+5", 1.0f},
        {"below float but within double", "1e-50", 0.0f},
    };
    for (const auto &r : rows) check(r);
    EXPECT_TRUE(signbit(textoparafloat("-1e-400"))) << "an underflow keeps its sign, as atof's does";
}

}  // namespace

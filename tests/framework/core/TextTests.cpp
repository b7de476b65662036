#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/Text.h"

namespace {

const std::string kMixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82z";  // a é € 🙂 z

TEST(TextCharacters, CountAndSliceCodePointsNotBytes) {
  EXPECT_EQ(fw::Len(kMixed), 5);
  EXPECT_EQ(fw::Len(""), 0);
  EXPECT_EQ(fw::Left(kMixed, 2), "a\xC3\xA9");
  EXPECT_EQ(fw::Right(kMixed, 2), "\xF0\x9F\x99\x82z");
  EXPECT_EQ(fw::Mid(kMixed, 3), "\xE2\x82\xAC\xF0\x9F\x99\x82z");
  EXPECT_EQ(fw::Mid(kMixed, 3, 1), "\xE2\x82\xAC");
  EXPECT_EQ(fw::Mid(kMixed, 4, 99), "\xF0\x9F\x99\x82z");
}

TEST(TextCharacters, OutOfRangeCountsClamp) {
  EXPECT_EQ(fw::Left("abc", 0), "");
  EXPECT_EQ(fw::Left("abc", -3), "");
  EXPECT_EQ(fw::Left("abc", 10), "abc");
  EXPECT_EQ(fw::Right("abc", 0), "");
  EXPECT_EQ(fw::Right("abc", -1), "");
  EXPECT_EQ(fw::Right("abc", 10), "abc");
  EXPECT_EQ(fw::Mid("abc", 0), "abc");
  EXPECT_EQ(fw::Mid("abc", 4), "");
  EXPECT_EQ(fw::Mid("abc", 9), "");
  EXPECT_EQ(fw::Mid("abc", 2, 0), "");
  EXPECT_EQ(fw::Mid("abc", 2, std::numeric_limits<int>::max()), "bc");
}

TEST(TextCharacters, StrayBytesCountAsOneCharacterEach) {
  const std::string broken = "a\xC3" "b\xFF\xE2\x82";  // truncated and invalid sequences
  EXPECT_EQ(fw::Len(broken), 6);
  EXPECT_EQ(fw::Mid(broken, 2, 1), "\xC3");
  EXPECT_EQ(fw::Left(broken, 3), "a\xC3" "b");
  EXPECT_EQ(fw::Len("\xC0\xAF"), 2);  // an overlong form is no character
}

TEST(TextSearch, InStrIgnoresAsciiCaseAndCountsCharacters) {
  EXPECT_EQ(fw::InStr("Hello World", "WORLD"), 7);
  EXPECT_EQ(fw::InStr(kMixed, "z"), 5);
  EXPECT_EQ(fw::InStr(kMixed, "\xE2\x82\xAC"), 3);
  EXPECT_EQ(fw::InStr("abcabc", "c"), 3);
  EXPECT_EQ(fw::InStr(4, "abcabc", "c"), 6);
  EXPECT_EQ(fw::InStr(7, "abcabc", "c"), 0);
  EXPECT_EQ(fw::InStr(0, "abc", "a"), 1);
  EXPECT_EQ(fw::InStr("abc", "x"), 0);
  EXPECT_EQ(fw::InStr("abc", ""), 0);
  EXPECT_EQ(fw::InStr("+-*/^(,)", ")"), 8);
  // "É" folds only in ASCII: no match with "é".
  EXPECT_EQ(fw::InStr("\xC3\xA9", "\xC3\x89"), 0);
}

TEST(TextSearch, FieldsSplitOnTheSeparator) {
  EXPECT_EQ(fw::CountFields("1\t2\t3", "\t"), 3);
  EXPECT_EQ(fw::NthField("1\t2\t3", "\t", 2), "2");
  EXPECT_EQ(fw::NthField("1\t2\t3", "\t", 3), "3");
  EXPECT_EQ(fw::NthField("1\t2\t3", "\t", 4), "");
  EXPECT_EQ(fw::NthField("1\t2\t3", "\t", 0), "");
  EXPECT_EQ(fw::CountFields("1,,3,", ","), 4);
  EXPECT_EQ(fw::NthField("1,,3,", ",", 2), "");
  EXPECT_EQ(fw::NthField("1,,3,", ",", 4), "");
  EXPECT_EQ(fw::CountFields("", ","), 0);
  EXPECT_EQ(fw::CountFields("abc", ","), 1);
  EXPECT_EQ(fw::NthField("abc", ",", 1), "abc");
  EXPECT_EQ(fw::CountFields("aXbxc", "x"), 3);
  EXPECT_EQ(fw::NthField("a<>b<>c", "<>", 3), "c");
}

TEST(TextSearch, LTrimRemovesLeadingWhiteSpaceOnly) {
  EXPECT_EQ(fw::LTrim("  \t 2.5  "), "2.5  ");
  EXPECT_EQ(fw::LTrim("   "), "");
  EXPECT_EQ(fw::LTrim("x"), "x");
}

TEST(TextCodes, AscAndChrRoundTrip) {
  EXPECT_EQ(fw::Asc(""), 0);
  EXPECT_EQ(fw::Asc("A"), 65);
  EXPECT_EQ(fw::Asc("\xC3\xA9"), 0xE9);
  EXPECT_EQ(fw::Asc("\xF0\x9F\x99\x82"), 0x1F642);
  EXPECT_EQ(fw::Chr(9), "\t");
  EXPECT_EQ(fw::Chr(0xE9), "\xC3\xA9");
  EXPECT_EQ(fw::Chr(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(fw::Chr(0x1F642), "\xF0\x9F\x99\x82");
  EXPECT_EQ(fw::Chr(-1), "");
  EXPECT_EQ(fw::Chr(0xD800), "");
  EXPECT_EQ(fw::Chr(0x110000), "");
  EXPECT_EQ(fw::EndOfLine, "\n");
}

TEST(TextComparison, IgnoresAsciiCaseThenOrdersByCodePoint) {
  EXPECT_TRUE(fw::TextEquals("Gradix 2.0 File", "GRADIX 2.0 file"));
  EXPECT_TRUE(fw::TextEquals("NONE", "none"));
  EXPECT_FALSE(fw::TextEquals("\xC3\xA9", "\xC3\x89"));
  EXPECT_EQ(fw::CompareText("abc", "ABD"), -1);
  EXPECT_EQ(fw::CompareText("b", "A"), 1);
  EXPECT_EQ(fw::CompareText("ab", "abc"), -1);
  EXPECT_EQ(fw::CompareText("", ""), 0);
  // "_" lies between "Z" and "a" in code points but folding puts letters after it.
  EXPECT_EQ(fw::CompareText("_", "A"), -1);
  EXPECT_EQ(fw::CompareText("z", "\xC3\xA9"), -1);
}

TEST(TextNumbers, StrWritesFifteenSignificantDigits) {
  EXPECT_EQ(fw::Str(3.14159), "3.14159");
  EXPECT_EQ(fw::Str(0.1 + 0.2), "0.3");
  EXPECT_EQ(fw::Str(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(fw::Str(2.0), "2");
  EXPECT_EQ(fw::Str(-2.5), "-2.5");
  EXPECT_EQ(fw::Str(1e20), "1e+20");
  EXPECT_EQ(fw::Str(1.5e-7), "1.5e-07");
  EXPECT_EQ(fw::Str(123456789012345.0), "123456789012345");
  EXPECT_EQ(fw::Str(1234567890123456.0), "1.23456789012346e+15");
  EXPECT_EQ(fw::Str(0.0), "0");
  EXPECT_EQ(fw::Str(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(fw::Str(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(fw::Str(std::nan("")), "NAN");
  EXPECT_EQ(fw::Str(99), "99");
  EXPECT_EQ(fw::Str(-2147483647 - 1), "-2147483648");
}

TEST(TextNumbers, ValReadsTheLeadingNumber) {
  EXPECT_EQ(fw::Val("2.5"), 2.5);
  EXPECT_EQ(fw::Val("   -12.5e3xyz"), -12500.0);
  EXPECT_EQ(fw::Val("\t+7"), 7.0);
  EXPECT_EQ(fw::Val(".5"), 0.5);
  EXPECT_EQ(fw::Val("5."), 5.0);
  EXPECT_EQ(fw::Val("1.2.3"), 1.2);
  EXPECT_EQ(fw::Val("1e"), 1.0);
  EXPECT_EQ(fw::Val("1e+"), 1.0);
  EXPECT_EQ(fw::Val("2E-2"), 0.02);
  EXPECT_EQ(fw::Val("3,5"), 3.0);
  EXPECT_EQ(fw::Val("12 34"), 12.0);
  EXPECT_EQ(fw::Val(""), 0.0);
  EXPECT_EQ(fw::Val("abc"), 0.0);
  EXPECT_EQ(fw::Val("."), 0.0);
  EXPECT_EQ(fw::Val("-"), 0.0);
  EXPECT_EQ(fw::Val("- 5"), 0.0);
  EXPECT_EQ(fw::Val("inf"), 0.0);
  EXPECT_EQ(fw::Val("nan"), 0.0);
  EXPECT_EQ(fw::Val("0x1A"), 0.0);
  EXPECT_EQ(fw::CDbl("  4.25 cm"), 4.25);
}

TEST(TextNumbers, ValSaturatesOutOfRange) {
  EXPECT_EQ(fw::Val("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(fw::Val("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(fw::Val("123456789e99999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(fw::Val("1e-999"), 0.0);
  EXPECT_EQ(fw::Val("0e999999"), 0.0);
  EXPECT_EQ(fw::Val("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(TextNumbers, StrThenValRoundTripsFifteenDigits) {
  for (double x : {3.14159, -0.000123, 6.02214076e23, 1.0 / 7}) {
    EXPECT_EQ(fw::Str(fw::Val(fw::Str(x))), fw::Str(x));
  }
}

TEST(TextFormat, FixedDecimalsRoundHalvesAwayFromZero) {
  EXPECT_EQ(fw::Format(3.14159, "-0.00"), "3.14");
  EXPECT_EQ(fw::Format(2.5, "-0"), "3");
  EXPECT_EQ(fw::Format(-2.5, "-0"), "-3");
  EXPECT_EQ(fw::Format(0.125, "-0.00"), "0.13");
  EXPECT_EQ(fw::Format(-0.125, "-0.00"), "-0.13");
  // 1.005 is stored just below the tie and 2.675 too: rounding works on the exact value.
  EXPECT_EQ(fw::Format(1.005, "-0.00"), "1.00");
  EXPECT_EQ(fw::Format(2.675, "-0.00"), "2.67");
  EXPECT_EQ(fw::Format(9.995, "-0.00"), "9.99");
  EXPECT_EQ(fw::Format(9.9951, "-0.00"), "10.00");
  EXPECT_EQ(fw::Format(0.5, "-0"), "1");
  EXPECT_EQ(fw::Format(0.49999999999999994, "-0"), "0");
  EXPECT_EQ(fw::Format(1234.5, "-0.000000"), "1234.500000");
  EXPECT_EQ(fw::Format(0.0000004, "-0.000000"), "0.000000");
  EXPECT_EQ(fw::Format(0.0000005, "-0.000000"), "0.000000");  // stored just below the tie
  EXPECT_EQ(fw::Format(0.00000051, "-0.000000"), "0.000001");
  EXPECT_EQ(fw::Format(123456789.0, "-0"), "123456789");
}

TEST(TextFormat, SignRules) {
  EXPECT_EQ(fw::Format(1.5, "-0.0"), "1.5");
  EXPECT_EQ(fw::Format(-1.5, "-0.0"), "-1.5");
  EXPECT_EQ(fw::Format(1.5, "+0.0"), "+1.5");
  EXPECT_EQ(fw::Format(-1.5, "+0.0"), "-1.5");
  EXPECT_EQ(fw::Format(0.0, "+0.0"), "+0.0");
  EXPECT_EQ(fw::Format(0.0, "-0.0"), "0.0");
  // A negative number that rounds to zero keeps its sign; negative zero has none.
  EXPECT_EQ(fw::Format(-0.001, "-0.00"), "-0.00");
  EXPECT_EQ(fw::Format(-0.001, "+0.00"), "-0.00");
  EXPECT_EQ(fw::Format(-0.0, "-0.00"), "0.00");
  EXPECT_EQ(fw::Format(-0.0, "+0.00"), "+0.00");
  EXPECT_EQ(fw::Format(-0.0, "-0.0e+#"), "0.0e+0");
}

TEST(TextFormat, HashDigitsWrittenOnlyWhenSignificant) {
  EXPECT_EQ(fw::Format(5.0, "+#"), "+5");
  EXPECT_EQ(fw::Format(-3.0, "+#"), "-3");
  EXPECT_EQ(fw::Format(0.0, "+#"), "+0");
  EXPECT_EQ(fw::Format(0.0, "#"), "0");
  EXPECT_EQ(fw::Format(0.0, "-#0"), "0");
  EXPECT_EQ(fw::Format(12.0, "-#0"), "12");
  EXPECT_EQ(fw::Format(0.25, "-#0.0"), "0.3");
  EXPECT_EQ(fw::Format(-0.5, "-#0.0000"), "-0.5000");
  EXPECT_EQ(fw::Format(2.5, "0.##"), "2.5");
  EXPECT_EQ(fw::Format(2.0, "0.##"), "2");
  EXPECT_EQ(fw::Format(2.006, "0.##"), "2.01");
}

TEST(TextFormat, ScientificForm) {
  EXPECT_EQ(fw::Format(0.034, "+0e+#"), "+3e-2");
  EXPECT_EQ(fw::Format(9.7, "+0e+#"), "+1e+1");
  // An exponent without digit marks still writes its digits: uncertainties round-trip through it.
  EXPECT_EQ(fw::Format(0.02, "-0.0e+"), "2.0e-2");
  EXPECT_EQ(fw::Val(fw::Format(0.3049, "-0.0e+")), 0.3);
  EXPECT_EQ(fw::Format(0.0, "+0e+#"), "+0e+0");
  EXPECT_EQ(fw::Format(-1234.5, "-0.0e+#"), "-1.2e+3");
  EXPECT_EQ(fw::Format(1234.5, "-0.00000e+#"), "1.23450e+3");
  EXPECT_EQ(fw::Format(9.9999, "-0.00e+#"), "1.00e+1");
  EXPECT_EQ(fw::Format(1e-300, "-0.0e+#"), "1.0e-300");
  EXPECT_EQ(fw::Format(5e-324, "-0.0e+#"), "4.9e-324");
  EXPECT_EQ(fw::Format(1.7976931348623157e308, "+0.00e+#"), "+1.80e+308");
  EXPECT_EQ(fw::Format(2.5, "+0e+#"), "+3e+0");
  EXPECT_EQ(fw::Format(12.345, "+0.000000000000000e+#"), "+1.234500000000000e+1");
  EXPECT_EQ(fw::Format(-0.1, "+0.000000000000000e+#"), "-1.000000000000000e-1");
  EXPECT_EQ(fw::Format(150.0, "0.0e-00"), "1.5e02");
  EXPECT_EQ(fw::Format(0.015, "0.0E-#"), "1.5E-2");
}

TEST(TextFormat, NonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(fw::Format(inf, "-0.00"), "INF");
  EXPECT_EQ(fw::Format(-inf, "+0.0e+#"), "-INF");
  EXPECT_EQ(fw::Format(std::nan(""), "-0"), "NAN");
}

TEST(TextFormat, LiteralTextAroundTheNumber) {
  EXPECT_EQ(fw::Format(2.5, "-0.0 cm"), "2.5 cm");
  EXPECT_EQ(fw::Format(-2.5, "-x=0.0"), "-x=2.5");
  EXPECT_EQ(fw::Format(3.0, ""), "3");
}

}  // namespace

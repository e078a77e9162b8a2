#include "services/conversions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace yz {
namespace {

using namespace std::string_view_literals;

TEST(ToText, PrintableKinds) {
  EXPECT_EQ(ToText(std::uint8_t{200}), "200");
  EXPECT_EQ(ToText(std::int16_t{-5}), "-5");
  EXPECT_EQ(ToText(INT_MIN), "-2147483648");
  EXPECT_EQ(ToText(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(ToText(true), "真");
  EXPECT_EQ(ToText(false), "假");
  EXPECT_EQ(ToText("text"), "text");
}

struct FloatCase {
  double value;
  std::string_view asDouble;  // "%.13g"
  std::string_view asFloat;   // "%.6g" of the value as float
};

constexpr FloatCase kFloats[] = {
    {0.1, "0.1", "0.1"},
    {1.0 / 3.0, "0.3333333333333", "0.333333"},
    {100.0, "100", "100"},
    {1234567.0, "1234567", "1.23457e+06"},
    {1e20, "1e+20", "1e+20"},
    {-2.5e-7, "-2.5e-07", "-2.5e-07"},
    {0.0, "0", "0"},
};

TEST(ToText, FloatAndDouble) {
  for (const auto& c : kFloats) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ToText(c.value), c.asDouble);
    EXPECT_EQ(ToText(static_cast<float>(c.value)), c.asFloat);
  }
}

struct DateCase {
  double days;
  std::string_view want;
};

constexpr DateCase kDates[] = {
    {0, "1899年12月30日"},
    {2, "1900年1月1日"},
    {36526, "2000年1月1日"},
    {45000, "2023年3月15日"},
    {45000.5, "2023年3月15日12时"},
    {45000.75, "2023年3月15日18时"},
    {45000.75 + 30.0 / 86400, "2023年3月15日18时0分30秒"},
    {45000.75 + 90.0 / 1440, "2023年3月15日19时30分"},
    {45000 + 1.0 / 86400, "2023年3月15日0时0分1秒"},
    {45000.9999999, "2023年3月16日"},  // rounds to the next midnight
    {-1.25, "1899年12月29日6时"},       // the fraction counts forward from midnight
    {-657434, "100年1月1日"},
    {2958465, "9999年12月31日"},
    {-657435, ""},                      // before year 100
    {2958466, ""},                      // after year 9999
};

TEST(ToText, DateTime) {
  for (const auto& c : kDates) {
    SCOPED_TRACE(c.days);
    EXPECT_EQ(ToText(DateTime{c.days}), c.want);
  }
  EXPECT_EQ(ToText(DateTime{std::numeric_limits<double>::quiet_NaN()}), "");
}

TEST(ToText, BytesStopAtTheFirstZero) {
  EXPECT_EQ(ToText("\x41\x42\x00\x43"sv), "AB");
  EXPECT_EQ(ToText(""sv), "");
  EXPECT_EQ(ToText("\0abc"sv), "");
  EXPECT_EQ(ToText(std::vector<std::int32_t>{0x4241, 0x43}), "AB");
  EXPECT_EQ(ToText(std::vector<std::uint8_t>{0xD6, 0xD0}), "\xD6\xD0");
  EXPECT_EQ(ToText(std::vector<std::uint8_t>{}), "");
}

TEST(ToText, HeldValue) {
  EXPECT_EQ(ToText(Value{std::int32_t{-7}}), "-7");
  EXPECT_EQ(ToText(Value{true}), "真");
  EXPECT_EQ(ToText(Value{AnsiText("ab\0c"sv)}), "ab");
  EXPECT_EQ(ToText(Value{}), "");
}

struct NumberCase {
  std::string_view text;
  double want;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr NumberCase kNumbers[] = {
    {"", 0},
    {"abc", 0},
    {"3.5", 3.5},
    {"  3.5abc", 3.5},
    {"\t\n-0.25", -0.25},
    {"+7", 7},
    {"-2e3", -2000},
    {"1.5E+2x", 150},
    {"1e", 1},        // an exponent without digits is not read
    {"1e+", 1},
    {".5", 0.5},
    {"5.", 5},
    {".", 0},
    {"-", 0},
    {"0x10", 0},      // stops at the x
    {"1,000", 1},
    {"1e400", kInf},
    {"-1e400", -kInf},
    {"1e-400", 0},
    {"0.000e999", 0},
    {"\xA3\xB1\xA3\xB2", 12},             // １２
    {"\xA3\xAD\xA3\xB3\xA3\xAE\xA3\xB5", -3.5},  // －３．５
    {"\xA1\xA1" "8", 8},                  // full-width space, then 8
};

TEST(ToNumber, ReadsLikeAtof) {
  for (const auto& c : kNumbers) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToNumber(c.text), c.want);
  }
}

TEST(ToNumber, WidensNumbers) {
  EXPECT_EQ(ToNumber(7), 7.0);
  EXPECT_EQ(ToNumber(0.5f), 0.5);
  EXPECT_EQ(ToNumber(true), 1.0);
  EXPECT_EQ(ToNumber(std::int64_t{1} << 40), 1099511627776.0);
  EXPECT_EQ(ToNumber(DateTime{45000.5}), 0.0);
}

struct IntegerCase {
  std::string_view text;
  int want;
};

constexpr IntegerCase kIntegers[] = {
    {"", 0},
    {"12abc", 12},
    {"  -7", -7},
    {"+5", 5},
    {"- 5", 0},
    {"3.9", 3},
    {"1e5", 1},
    {"\xA3\xB1\xA3\xB2", 12},  // １２
    {"2147483647", INT_MAX},
    {"-2147483648", INT_MIN},
    {"99999999999", INT_MAX},
    {"-99999999999", INT_MIN},
};

TEST(ToInteger, ReadsLikeAtoi) {
  for (const auto& c : kIntegers) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToInteger(c.text), c.want);
  }
}

struct TruncateCase {
  double value;
  int want;
};

constexpr TruncateCase kTruncations[] = {
    {3.9, 3}, {-3.9, -3}, {0.5, 0}, {-0.5, 0}, {2147483647.9, INT_MAX}, {-2147483648.9, INT_MIN},
    {1e10, INT_MIN}, {-1e10, INT_MIN}, {kInf, INT_MIN}, {std::numeric_limits<double>::quiet_NaN(), INT_MIN},
};

TEST(ToInteger, TruncatesFloatingValues) {
  for (const auto& c : kTruncations) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ToInteger(c.value), c.want);
  }
  EXPECT_EQ(ToInteger(-2.7f), -2);
}

TEST(ToInteger, OtherKinds) {
  EXPECT_EQ(ToInteger(0x100000005LL), 5);  // low 32 bits
  EXPECT_EQ(ToInteger(-1LL), -1);
  EXPECT_EQ(ToInteger(0x80000000LL), INT_MIN);
  EXPECT_EQ(ToInteger(true), 1);
  EXPECT_EQ(ToInteger(false), 0);
  EXPECT_EQ(ToInteger(std::int16_t{-3}), -3);
  EXPECT_EQ(ToInteger(std::uint8_t{200}), 200);
  EXPECT_EQ(ToInteger(DateTime{45000}), 0);
}

TEST(ToBytes, StoredLittleEndian) {
  EXPECT_EQ(ToBytes("\xD6\xD0"), "\xD6\xD0");
  EXPECT_EQ(ToBytes(""), "");
  EXPECT_EQ(ToBytes(std::uint8_t{1}), "\x01"sv);
  EXPECT_EQ(ToBytes(std::int16_t{0x0102}), "\x02\x01"sv);
  EXPECT_EQ(ToBytes(std::int32_t{1}), "\x01\0\0\0"sv);
  EXPECT_EQ(ToBytes(std::int32_t{-2}), "\xFE\xFF\xFF\xFF"sv);
  EXPECT_EQ(ToBytes(std::int64_t{0x0102030405060708}), "\x08\x07\x06\x05\x04\x03\x02\x01"sv);
  EXPECT_EQ(ToBytes(1.0f), "\0\0\x80\x3F"sv);
  EXPECT_EQ(ToBytes(1.0), "\0\0\0\0\0\0\xF0\x3F"sv);
  EXPECT_EQ(ToBytes(true), "\x01\0\0\0"sv);
  EXPECT_EQ(ToBytes(false), "\0\0\0\0"sv);
  EXPECT_EQ(ToBytes(DateTime{1.0}), "\0\0\0\0\0\0\xF0\x3F"sv);
}

// The program is 64-bit: an address takes 8 bytes.
TEST(ToBytes, SubroutineAddressIsPointerSized) {
  EXPECT_EQ(ToBytes(SubroutineAddress{0x0102030405060708}), "\x08\x07\x06\x05\x04\x03\x02\x01"sv);
  EXPECT_EQ(ToBytes(SubroutineAddress{}).size(), sizeof(void*));
}

TEST(ToBytes, Lists) {
  EXPECT_EQ(ToBytes(std::vector<std::int16_t>{1, 2}), "\x01\0\x02\0"sv);
  EXPECT_EQ(ToBytes(std::vector<double>{}), "");
  EXPECT_EQ(ToBytes(std::vector<bool>{true, false}), "\x01\0\0\0\0\0\0\0"sv);
  EXPECT_EQ(ToBytes(std::vector<AnsiText>{"a", "b"}), "");  // not a list of numbers
}

TEST(ToBytes, HeldValue) {
  EXPECT_EQ(ToBytes(Value{std::int16_t{0x0102}}), "\x02\x01"sv);
  EXPECT_EQ(ToBytes(Value{AnsiText("ab")}), "ab");
  EXPECT_EQ(ToBytes(Value{}), "");
}

struct BytesValueCase {
  const char* what;
  std::string_view bytes;
  int kind;
  int position;  // kNoVariable: read without a position variable
  Value want;
  int positionAfter;
};

constexpr int kNoVariable = INT_MIN;

const BytesValueCase kBytesValues[] = {
    {"short read of an int", "\x01\x02", 3, kNoVariable, std::int32_t{513}, 0},
    {"byte", "\xFF", 1, kNoVariable, std::uint8_t{255}, 0},
    {"short", "\xFF\xFF", 2, kNoVariable, std::int16_t{-1}, 0},
    {"int", "\x01\0\0\x80"sv, 3, kNoVariable, std::int32_t{INT_MIN + 1}, 0},
    {"long", "\x08\x07\x06\x05\x04\x03\x02\x01", 4, kNoVariable, std::int64_t{0x0102030405060708}, 0},
    {"float", "\0\0\x80\x3F"sv, 5, kNoVariable, 1.0f, 0},
    {"double", "\0\0\0\0\0\0\xF0\x3F"sv, 6, kNoVariable, 1.0, 0},
    {"logical true", "\0\x01\0\0"sv, 7, kNoVariable, true, 0},
    {"logical false", "\0\0\0\0"sv, 7, kNoVariable, false, 0},
    {"date-time", "\0\0\0\0\0\0\xF0\x3F"sv, 8, kNoVariable, DateTime{1.0}, 0},
    {"address, 8 bytes", "\x08\x07\x06\x05\x04\x03\x02\x01", 9, kNoVariable,
     SubroutineAddress{0x0102030405060708}, 0},
    {"text", "AB\0CD"sv, 10, kNoVariable, AnsiText("AB"), 0},
    {"empty sequence", "", 3, kNoVariable, std::int32_t{0}, 0},
    {"empty sequence, text", "", 10, kNoVariable, AnsiText(), 0},
    // With a position variable.
    {"first int", "\x01\0\0\0\x02\0\0\0"sv, 3, 1, std::int32_t{1}, 5},
    {"second int reaches the end", "\x01\0\0\0\x02\0\0\0"sv, 3, 5, std::int32_t{2}, -1},
    {"short read reaches the end", "\x01\x02", 3, 2, std::int32_t{2}, -1},
    {"text then past its zero", "AB\0CD"sv, 10, 1, AnsiText("AB"), 4},
    {"last text without zero", "AB\0CD"sv, 10, 4, AnsiText("CD"), -1},
    {"text ending in its zero", "AB\0"sv, 10, 1, AnsiText("AB"), -1},
    {"empty text at a zero", "\0A"sv, 10, 1, AnsiText(), 2},
    {"position 0 reads nothing", "\x05", 1, 0, std::uint8_t{0}, 0},
    {"position -1 reads nothing", "\x05", 1, -1, std::uint8_t{0}, -1},
    {"position past the end", "\x05", 1, 2, std::uint8_t{0}, 2},
    {"position past the end, text", "A", 10, 2, AnsiText(), 2},
    {"byte in the middle", "\x01\x02\x03", 1, 2, std::uint8_t{2}, 3},
};

TEST(BytesValue, ReadsEachKind) {
  for (const auto& c : kBytesValues) {
    SCOPED_TRACE(c.what);
    if (c.position == kNoVariable) {
      EXPECT_EQ(BytesValue(c.bytes, c.kind), c.want);
    } else {
      int position = c.position;
      EXPECT_EQ(BytesValue(c.bytes, c.kind, &position), c.want);
      EXPECT_EQ(position, c.positionAfter);
    }
  }
}

TEST(BytesValue, WalksASequence) {
  const ByteSeq record = ToBytes(std::int16_t{7}) + ToBytes("name") + '\0' + ToBytes(2.5);
  int position = 1;
  EXPECT_EQ(BytesValue(record, ValueKind::kShort, &position), Value{std::int16_t{7}});
  EXPECT_EQ(BytesValue(record, ValueKind::kText, &position), Value{AnsiText("name")});
  EXPECT_EQ(BytesValue(record, ValueKind::kDouble, &position), Value{2.5});
  EXPECT_EQ(position, -1);
}

#ifdef NDEBUG
TEST(BytesValue, KindOutsideRangeGivesNoValueInRelease) {
  for (int kind : {0, 11, -1}) {
    SCOPED_TRACE(kind);
    int position = 1;
    EXPECT_EQ(BytesValue("\x01\x02", kind, &position), Value{});
    EXPECT_EQ(position, 1);
  }
}
#else
TEST(BytesValueDeathTest, KindOutsideRangeStopsDebugBuild) {
  EXPECT_DEATH(BytesValue("\x01", 0), "kind code");
  EXPECT_DEATH(BytesValue("\x01", 11), "kind code");
}
#endif

struct MoneyCase {
  double amount;
  bool simplified;
  std::string_view want;
};

constexpr MoneyCase kMoney[] = {
    {0, false, "零"},
    {0, true, "零"},
    {0.001, false, "零"},
    {1e15, false, "溢出"},
    {-1e15, false, "溢出"},  // no sign
    {0.1, true, "一角整"},
    {-3, false, "负叁元整"},
    {1001, false, "壹仟零壹元整"},
    {1001, true, "一千零一元整"},
    {100000, false, "壹拾万元整"},
    {1.5, false, "壹元伍角整"},
    {0.05, false, "伍分"},
    {-0.05, false, "负伍分"},
    {0.5, false, "伍角整"},
    {1.01, false, "壹元零壹分"},
    {10.5, false, "壹拾元零伍角整"},
    {10000, false, "壹万元整"},
    {110000, false, "壹拾壹万元整"},
    {1000000, false, "壹佰万元整"},
    {100000000, false, "壹亿元整"},
    {100000001, false, "壹亿零壹元整"},
    {100010000, false, "壹亿零壹万元整"},
    {1000000000, false, "壹拾亿元整"},
    {1000000000000, false, "壹万亿元整"},
    {999999999999.99, false, "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
    {9999999999999.99, false, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
    {10000000000000, false, "溢出"},  // 10^15 fen
    {123456789.12, true, "一亿二千三百四十五万六千七百八十九元一角二分"},
    // Rounded to fen, half up; 1.005 × 100 is 100.49999999999999 in binary,
    // which the 1e-12 added before rounding carries over the half.
    {0.005, false, "壹分"},
    {1.005, false, "壹元零壹分"},
    {0.004, false, "零"},
    {2.999, false, "叁元整"},
};

TEST(MoneyText, WrittenAmounts) {
  for (const auto& c : kMoney) {
    SCOPED_TRACE(testing::Message() << c.amount << (c.simplified ? " simplified" : ""));
    EXPECT_EQ(MoneyText(c.amount, c.simplified), c.want);
  }
}

TEST(MoneyText, NotANumberOverflows) {
  EXPECT_EQ(MoneyText(std::numeric_limits<double>::quiet_NaN(), false), "溢出");
  EXPECT_EQ(MoneyText(kInf, false), "溢出");
}

}  // namespace
}  // namespace yz

#include <gtest/gtest.h>

#include "platform/db/record.h"

namespace corvena {
namespace {

#define ROW_FIELDS(F) F(TEXT, Code, 5) F(DATE, When, 4) F(FLOAT, Amt, 8) F(INT16, Flag, 2)
CORVENA_RECORD(Row, ROW_FIELDS)
CORVENA_RECORD_LAYOUT(Row, ROW_FIELDS)

TEST(Record, NullImageIsBlanksZerosAndBlankDate) {
  Row r;
  r.Code = "AB";
  r.Amt = 3;
  blankRecord(r);
  EXPECT_EQ(std::string(r.Code.view()), "     ");
  EXPECT_TRUE(r.When.isBlank());
  EXPECT_EQ(r.Amt, 0);
}

TEST(Record, TextIsPaddedCutAndComparedTrimmed) {
  Text<5> t("ABCDEFG");
  EXPECT_EQ(std::string(t.view()), "ABCDE");
  Text<5> u("AB");
  EXPECT_TRUE(u == "AB   ");
  EXPECT_TRUE(u == Text<10>("AB"));
  EXPECT_FALSE(u == "ABC");
}

TEST(Record, FieldsFoundByNameInAnyCase) {
  const RecordLayout& l = Row::layout();
  ASSERT_NE(l.find("code"), nullptr);
  EXPECT_EQ(l.find("WHEN")->type, FieldType::Date);
  EXPECT_EQ(l.find("nothing"), nullptr);
  EXPECT_EQ(fieldTypeCode(l.find("amt")->type), 2);
}

TEST(Record, FieldTextParsesStrictly) {
  Row r;
  RecordRef ref(r);
  const RecordLayout& l = Row::layout();
  EXPECT_TRUE(setFieldText(ref, *l.find("When"), "2024-02-29"));
  EXPECT_FALSE(setFieldText(ref, *l.find("When"), "2023-02-29"));
  EXPECT_EQ(fieldText(ref, *l.find("When")), "2024-02-29");
  EXPECT_FALSE(setFieldText(ref, *l.find("Amt"), "12x"));
  EXPECT_TRUE(setFieldText(ref, *l.find("Amt"), " 12.25 "));
  EXPECT_EQ(fieldText(ref, *l.find("Amt")), "12.25");
  EXPECT_FALSE(setFieldText(ref, *l.find("Flag"), "40000"));
}

TEST(Record, DatesWrittenAsIsoWhateverTheirDigits) {
  EXPECT_EQ((Date{1, 1, 1}.iso()), "0001-01-01");
  EXPECT_EQ((Date{2026, 12, 7}.iso()), "2026-12-07");
  EXPECT_EQ((Date{9999, 12, 31}.iso()), "9999-12-31");
  EXPECT_EQ((Date{10000, 1, 31}.iso()), "10000-01-31");
  EXPECT_EQ((Date{2026, 0, 0}.iso()), "2026-00-00");
}

}  // namespace
}  // namespace corvena

#include "engine/TextFront.h"

#include "engine/EngineState.h"
#include "engine/tests/EngineTestSupport.h"

namespace pv {
namespace {

using TextFrontTest = EngineTest;

TEST_F(TextFrontTest, NormaliseTypography) {
    EXPECT_EQ(NormaliseTypography(u"a\u2014b\u2019c\u2013"), u"a-b'c\u2013");
}

TEST_F(TextFrontTest, NoTranslateMarkNeedsAllTenCharacters) {
    EXPECT_TRUE(HasNoTranslateMark(u"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0Arest"));
    EXPECT_FALSE(HasNoTranslateMark(u"\x01\x02\x03\x04\x05\x06\x07\x08\x09"));
    EXPECT_FALSE(HasNoTranslateMark(u"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0B"));
}

TEST_F(TextFrontTest, CapitaliseSegmentSkipsBlanksQuestionMarksAndWindowMarks) {
    EXPECT_EQ(CapitaliseSegment(u""), u"");
    EXPECT_EQ(CapitaliseSegment(u"  ¿qué"), u"  ¿Qué");
    EXPECT_EQ(CapitaliseSegment(u"  "), u"");
    EXPECT_EQ(CapitaliseSegment(u"утре"), u"Утре");
    EXPECT_EQ(CapitaliseSegment(u"(утре"), u"(утре");
    // A mark is only skipped while a window word carries it.
    EXPECT_EQ(CapitaliseSegment(u"##3!abc"), u"##3!abc");
    Engine().Window[5].mark = u"##3!";
    EXPECT_EQ(CapitaliseSegment(u"##3! ##3!abc"), u"##3! ##3!Abc");
    Engine().Window[5].mark.clear();
}

TEST_F(TextFrontTest, LowercaseFirstAndMarks) {
    EXPECT_EQ(LowercaseFirst(u"ÄBC"), u"äBC");
    EXPECT_EQ(LowercaseFirst(u""), u"");
    EXPECT_EQ(EntryMark(1), u"##1!");
    EXPECT_EQ(EntryMark(100), u"##100!");
    EXPECT_EQ(StripEntryMarks(u"##1!Той ##12!каза"), u"Той каза");
    EXPECT_EQ(StripEntryMarks(u"C## code"), u"C## code");  // no "!": not a mark
}

}  // namespace
}  // namespace pv

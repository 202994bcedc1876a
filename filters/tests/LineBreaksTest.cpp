#include <gtest/gtest.h>

#include "filters/LineBreaks.h"

namespace pv {
namespace {

TEST(LineBreaks, EveryKindBecomesCrLfAndBack) {
    EXPECT_EQ(ToCrLf(u"a\nb\r\nc\rd\n\n"), u"a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(ToCrLf(u""), u"");
    EXPECT_EQ(CrLfToLf(u"a\r\nb\r\n\r\nc\rd"), u"a\nb\n\nc\rd");
}

}  // namespace
}  // namespace pv

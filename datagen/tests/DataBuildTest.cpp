#include <gtest/gtest.h>
TEST(DataBuild, Placeholder) {}

#include "level/Constants.hpp"
#include <gtest/gtest.h>

TEST(Constants, VersionStrings) {
    EXPECT_EQ(rux::c_AppVersion, "v.1.7.2");
    EXPECT_EQ(rux::c_AppName, "RUX v.1.7.2");
    EXPECT_EQ(rux::c_version, "#1.7");
}

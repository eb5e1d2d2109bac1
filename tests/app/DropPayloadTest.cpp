#include "app/DropPayload.hpp"

#include <gtest/gtest.h>

using namespace rux;

TEST(DropPayload, RoundTripsAndRefusesShortOrUnknownPayloads) {
    const CreateObjDrop drop{FileType::Image, "sprites/h\xC3\xA9ro.png"};
    const std::string bytes = EncodeCreateObj(drop);
    ASSERT_EQ(bytes.size(), 4 + drop.path.size());
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\x00\x00\x00", 4));
    const auto back = DecodeCreateObj(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->type, FileType::Image);
    EXPECT_EQ(back->path, drop.path);

    EXPECT_FALSE(DecodeCreateObj(bytes.data(), 3));
    EXPECT_FALSE(DecodeCreateObj(nullptr, 8));
    EXPECT_FALSE(DecodeCreateObj("\x0B\x00\x00\x00x", 5));  // kind 11 does not exist
    EXPECT_FALSE(DecodeCreateObj("\xFF\xFF\xFF\xFF", 4));
    const auto empty = DecodeCreateObj("\x0A\x00\x00\x00", 4);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->type, FileType::LuaScript);
    EXPECT_EQ(empty->path, "");
}

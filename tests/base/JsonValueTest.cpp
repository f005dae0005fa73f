#include "JsonValue.h"
#include "Loaders.h"

#include <gtest/gtest.h>

namespace {

JsonValue Parsed(const char* text) {
    JsonValue value;
    EXPECT_TRUE(ParseJsonText(text, value)) << text;
    return value;
}

TEST(JsonValueTest, MembersConvertToTextInTheirJsonForm) {
    const JsonValue value = Parsed(
        R"({"text": "QuorvelTablet", "integer": 20201229, "negative": -5, "real": 1.5,
            "yes": true, "no": false, "nothing": null, "list": ["a"], "object": {"a": 1}})");
    EXPECT_EQ(value["text"].AsString(), "QuorvelTablet");
    EXPECT_EQ(value["integer"].AsString(), "20201229");
    EXPECT_EQ(value["negative"].AsString(), "-5");
    EXPECT_EQ(value["real"].AsString(), "1.5");
    EXPECT_EQ(value["yes"].AsString(), "true");
    EXPECT_EQ(value["no"].AsString(), "false");
    EXPECT_EQ(value["nothing"].AsString(), "");
    EXPECT_EQ(value["list"].AsString(), "");
    EXPECT_EQ(value["object"].AsString(), "");
    EXPECT_EQ(value["missing"].AsString(), "");
    EXPECT_EQ(value["missing"]["deeper"].AsString(), "");
    EXPECT_EQ(value["object"]["a"].AsString(), "1");
}

TEST(JsonValueTest, MembershipIsExactAndLookupsLeaveTheDocumentAlone) {
    const JsonValue value = Parsed(R"({"LangType": "German", "nothing": null})");
    EXPECT_TRUE(value.HasMember("LangType"));
    EXPECT_TRUE(value.HasMember("nothing"));
    EXPECT_FALSE(value.HasMember("langtype"));
    EXPECT_FALSE(value["LangType"].HasMember("x"));
    EXPECT_FALSE(value.HasMember("absent"));
    (void)value["absent"];
    EXPECT_FALSE(value.HasMember("absent"));
}

TEST(JsonValueTest, CommentsAndTrailingTextAreAccepted) {
    const JsonValue value =
        Parsed("// configuration\n{ /* brand */ \"BrandName\": \"Quorvel\" // end\n} trailing");
    EXPECT_EQ(value["BrandName"].AsString(), "Quorvel");
}

TEST(JsonValueTest, ByteOrderMarkIsSkipped) {
    const JsonValue value = Parsed("\xEF\xBB\xBF{\"a\": \"b\"}");
    EXPECT_EQ(value["a"].AsString(), "b");
}

TEST(JsonValueTest, BrokenTextFailsAndLeavesNull) {
    JsonValue value;
    ASSERT_TRUE(ParseJsonText(R"({"a": "b"})", value));
    EXPECT_FALSE(ParseJsonText(R"({"a": )", value));
    EXPECT_TRUE(value.IsNull());
    EXPECT_FALSE(ParseJsonText("", value));
    EXPECT_FALSE(ParseJsonText("\xEF\xBB\xBF", value));
    EXPECT_FALSE(ParseJsonText(nullptr, value));
}

TEST(JsonValueTest, CopiesShareTheDocumentSafely) {
    JsonValue member;
    {
        const JsonValue document = Parsed(R"({"outer": {"inner": "kept"}})");
        member = document["outer"];
    }
    EXPECT_EQ(member["inner"].AsString(), "kept");
}

}  // namespace

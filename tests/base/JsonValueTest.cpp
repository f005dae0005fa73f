#include "JsonValue.h"
#include "Loaders.h"
#include "TestFiles.h"

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

TEST(LoadersTest, AWholeFileIsReadWithinItsLimitAndNothingElse) {
    const test::ScratchFolder folder(L"whole-file");
    test::WriteFile(folder / L"four.bin", std::string("ab\0d", 4));
    test::WriteFile(folder / L"empty.bin", "");
    const struct {
        const wchar_t* name;
        size_t limit;
        std::optional<std::vector<BYTE>> expected;
    } cases[] = {
        {L"four.bin", 4, std::vector<BYTE>{'a', 'b', 0, 'd'}},
        {L"four.bin", 3, std::nullopt},
        {L"empty.bin", 4, std::vector<BYTE>{}},
        {L"missing.bin", 4, std::nullopt},
        {L"", 4, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::wstring path = *c.name != L'\0' ? folder / c.name : std::wstring();
        EXPECT_EQ(ReadWholeFile(path, c.limit), c.expected) << testing::PrintToString(path);
    }

    ByteBuffer buffer;
    buffer.Assign("kept", 4);
    EXPECT_FALSE(ReadWholeFile(folder / L"missing.bin", 4, buffer));
    EXPECT_EQ(buffer.Text(), "kept") << "a failed read leaves the buffer";
    ASSERT_TRUE(ReadWholeFile(folder / L"four.bin", 4, buffer));
    EXPECT_EQ(buffer.Size(), 4u);
    EXPECT_EQ(buffer.Data()[4], '\0') << "the content is followed by terminators";
}

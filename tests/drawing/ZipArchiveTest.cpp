#include "TestFiles.h"
#include "TestImages.h"
#include "ZipArchive.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

const BYTE* Bytes(const std::string& bytes) {
    return reinterpret_cast<const BYTE*>(bytes.data());
}

std::string Text(const std::optional<std::vector<BYTE>>& bytes) {
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

const std::string kLongText(5000, 'a');

std::string SampleArchive() {
    return test::ZipBytes({
        {"stored.txt", "plain bytes", false, {}},
        {"skin/Deflated.TXT", kLongText, true, {}},
        {"empty.txt", "", false, {}},
    });
}

TEST(ZipArchiveTest, StoredAndDeflatedEntriesReadBackExactly) {
    const std::string archive = SampleArchive();
    const auto zip = ZipArchive::OpenMemory(Bytes(archive), archive.size());
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(zip->Entries().size(), 3u);
    EXPECT_EQ(zip->Entries()[0].method, kZipStored);
    EXPECT_EQ(zip->Entries()[1].method, kZipDeflated);
    EXPECT_LT(zip->Entries()[1].compressedSize, kLongText.size());
    EXPECT_EQ(Text(zip->Read(L"stored.txt")), "plain bytes");
    EXPECT_EQ(Text(zip->Read(L"skin/Deflated.TXT")), kLongText);
    EXPECT_EQ(Text(zip->Read(L"empty.txt")), "");
}

TEST(ZipArchiveTest, NamesAreFoundRegardlessOfLetterCaseAndSlashDirection) {
    const std::string archive = SampleArchive();
    const auto zip = ZipArchive::OpenMemory(Bytes(archive), archive.size());
    ASSERT_NE(zip, nullptr);
    const struct {
        const wchar_t* name;
        std::optional<size_t> index;
    } cases[] = {
        {L"STORED.TXT", 0},
        {L"Stored.Txt", 0},
        {L"skin/deflated.txt", 1},
        {L"SKIN\\DEFLATED.txt", 1},
        {L"deflated.txt", {}},
        {L"stored.tx", {}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindZipEntry(zip->Entries(), c.name), c.index)
            << std::string(c.name, c.name + wcslen(c.name));
    }
    EXPECT_EQ(Text(zip->Read(L"SKIN/DEFLATED.TXT")), kLongText);
}

TEST(ZipArchiveTest, BrokenArchivesGiveNone) {
    const std::string good = SampleArchive();
    std::string badDirectoryOffset = good;
    badDirectoryOffset[badDirectoryOffset.size() - 6] = '\x7F';  // offset far past the end
    std::string badCentralSignature = good;
    badCentralSignature[good.find("PK\x01\x02") + 2] = 'X';
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a zip", std::string(300, 'x')},
        {"cut in the end record", good.substr(0, good.size() - 5)},
        {"cut in the directory", good.substr(0, good.size() - 30)},
        {"only the first half", good.substr(0, good.size() / 2)},
        {"directory offset past the end", badDirectoryOffset},
        {"broken directory header", badCentralSignature},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ReadZipDirectory(Bytes(c.bytes), c.bytes.size())) << c.what;
        EXPECT_EQ(ZipArchive::OpenMemory(Bytes(c.bytes), c.bytes.size()), nullptr) << c.what;
    }
    EXPECT_FALSE(ReadZipDirectory(nullptr, 0));
}

TEST(ZipArchiveTest, EntriesWithLyingSizesOrDamagedDataGiveNone) {
    std::string damaged = test::ZipBytes({{"data.txt", kLongText, true, {}}});
    damaged[30 + 8 + 2] ^= 0x55;  // inside the deflated data
    std::string storedFlipped = test::ZipBytes({{"data.txt", "plain bytes", false, {}}});
    storedFlipped[30 + 8 + 2] = 'X';  // a content byte: the checksum no longer matches
    const struct {
        const char* what;
        std::string archive;
    } cases[] = {
        {"deflated claiming 2 GB", test::ZipBytes({{"data.txt", kLongText, true, 0x80000000u}})},
        {"deflated claiming a little more",
         test::ZipBytes({{"data.txt", kLongText, true, uint32_t(kLongText.size() + 1)}})},
        {"deflated claiming less", test::ZipBytes({{"data.txt", kLongText, true, 100u}})},
        {"stored claiming more", test::ZipBytes({{"data.txt", "plain bytes", false, 4000u}})},
        {"damaged deflate data", damaged},
        {"checksum mismatch", storedFlipped},
    };
    for (const auto& c : cases) {
        const auto zip = ZipArchive::OpenMemory(Bytes(c.archive), c.archive.size());
        ASSERT_NE(zip, nullptr) << c.what;
        EXPECT_FALSE(zip->Read(L"data.txt")) << c.what;
    }
}

TEST(ZipArchiveTest, ClaimedSizesBeyondTheDeflateRatioAreRefusedBeforeAllocating) {
    ZipEntry entry;
    entry.method = kZipDeflated;
    entry.compressedSize = 10;
    entry.uncompressedSize = 10 * kZipMaxDeflateRatio + 1;
    const std::vector<BYTE> data(200, 0);
    EXPECT_FALSE(ExtractZipEntry(data.data(), data.size(), entry));
    entry.compressedSize = 100;
    entry.uncompressedSize = kZipMaxEntrySize + 1;
    EXPECT_FALSE(ExtractZipEntry(data.data(), data.size(), entry));
}

TEST(ZipArchiveTest, AnArchiveFileMadeByAnotherToolIsRead) {
    const std::wstring folder = test::TestProgramFolder();
    const auto zip = ZipArchive::OpenFile(folder + L"\\drawing_fixture.zip");
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(zip->Entries().size(), 1u);
    EXPECT_EQ(zip->Entries()[0].method, kZipDeflated);
    EXPECT_EQ(Text(zip->Read(L"zipfixture.txt")), test::ReadFile(folder + L"\\ZipFixture.txt"));
    EXPECT_EQ(ZipArchive::OpenFile(folder + L"\\no-such-archive.zip"), nullptr);
}

}  // namespace

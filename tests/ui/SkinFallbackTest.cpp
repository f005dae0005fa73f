#include "PageHost.h"

#include "CImageCache.h"
#include "Localization.h"
#include "PageNames.h"
#include "ResourceSettings.h"
#include "ZPage1.h"
#include "ZPage3.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The framework accepts one memory archive per process, so the cases run in this order: first
// no archive at all, then a corrupt one.

// Builds the pages, checks they lay out as with the skin and that no skin image is found.
void ExpectPagesWithoutImages() {
    test::UseLanguage(kSourceLanguage);
    test::PageHost first(std::make_unique<ZPage1>(), 596, 156);
    const RECT confirm = first.PageRect(PageNames::kConfirmButton);
    EXPECT_EQ(confirm.right - confirm.left, 160);
    EXPECT_EQ(confirm.top, 80);
    for (const wchar_t* image : {L"cancleBtn.png", L"btn_bkg_3.png", L"bg.png"}) {
        EXPECT_EQ(first.Manager().Images().ImageOrLoad(image), nullptr) << image;
    }

    test::PageHost third(std::make_unique<ZPage3>(), 596, 156);
    auto* page = dynamic_cast<ZPage3*>(third.Page());
    ASSERT_NE(page, nullptr);
    page->OnUninstallMessage(WM_USER + 1, 3, 7);
    page->OnUninstallMessage(WM_USER + 2, 0, 0);
    third.Layout();
    EXPECT_TRUE(third.Control(PageNames::kFinishButton)->IsVisible());
    const RECT bar = third.Control(PageNames::kProgressBar)->Bounds();
    EXPECT_EQ(bar.right - bar.left, 486);
}

TEST(SkinFallbackTest, AMissingArchiveGivesPagesWithoutImages) {
    EXPECT_TRUE(DuiLib::ResourceArchiveName().empty());
    ExpectPagesWithoutImages();
}

TEST(SkinFallbackTest, ACorruptArchiveGivesPagesWithoutImages) {
    // A zip's first bytes, then garbage: no central directory.
    static const std::vector<BYTE> corrupt = {'P', 'K',  3,    4,    20,   0,    0,    0,    8,
                                              0,   0xde, 0xad, 0xbe, 0xef, 0x00, 0x13, 0x37, 0x42};
    DuiLib::SetResourceArchive(corrupt.data(), corrupt.size());
    ExpectPagesWithoutImages();
}

}  // namespace

#include "PageHost.h"

#include "AppConfig.h"
#include "CLabelUI.h"
#include "DriverRemoval.h"
#include "FinishLine.h"
#include "Localization.h"
#include "MessageWindow.h"
#include "PageNames.h"
#include "InstalledProductRecord.h"
#include "ShortcutCleanup.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "UninstallEngine.h"
#include "UninstallMessages.h"
#include "ZPage3.h"
#include "ZUninstallObj.h"
#include "ZVerticalBox.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPageWidth = 596;
constexpr int kPageHeight = 156;
const std::wstring kProductKeyName = L"HKEY_LOCAL_MACHINE\\" + std::wstring(kProductKeyPath);

// The page inside a box, as the main frame holds it: a control is initialised when it is given
// a parent.
std::unique_ptr<DuiLib::CControlUI> PageInABox(ZPage3*& page) {
    auto box = std::make_unique<ZVerticalBox>();
    page = box->Add(std::make_unique<ZPage3>());
    return box;
}

// Runs the program's own engine once over a scratch installation whose product key can't be
// deleted (a subkey name longer than the recursive delete reads); restartItems says whether an
// item of the installation folder is held and scheduled as well. The page reads that engine's
// outcome when the run is finished.
class FinishLinePageTest : public ::testing::Test {
protected:
    // The program's engine is one per process and its worker outlives each test, so its stand-ins
    // are set once, before the first run starts the worker.
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadAppConfig(::GetModuleHandleW(nullptr)));
        UninstallEngine().SetToolLauncher([](const std::wstring&, const std::wstring&,
                                             const std::wstring&, ScopedHandle*) { return true; });
        // Granted without reaching the system's list: the page only needs the outcome.
        UninstallEngine().SetRestartScheduler([](const std::wstring&) { return true; });
    }

    void SetUp() override {
        test::UseLanguage(kSourceLanguage);
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", GetDisplayName()));
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", install_.Path()));
        test::WriteFile(install_ / L"Tablet.exe", "program");
    }

    static std::wstring Entry() {
        return std::wstring(kInstalledProgramsKey) + L"\\" + GetProjectName();
    }

    void KeepTheProductKey() {
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE,
                                    std::wstring(kProductKeyPath) + L"\\" + std::wstring(252, L'k'),
                                    KEY_WOW64_64KEY));
    }

    void RunProgramEngine() {
        bool finished = false;
        test::MessageWindow window([&finished](UINT message, WPARAM, LPARAM) {
            finished = finished || message == WM_UNINSTALL_FINISHED;
            return message == WM_UNINSTALL_FINISHED || message == WM_UNINSTALL_PROGRESS;
        });
        UninstallEngine().StartUninstall(GetDisplayName(), window.Window());
        const ULONGLONG deadline = ::GetTickCount64() + 60000;
        while (!finished && ::GetTickCount64() < deadline) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::DispatchMessageW(&message);
            }
        }
        ASSERT_TRUE(finished);
    }

    void ShowFinish() {
        page_->OnUninstallMessage(WM_UNINSTALL_FINISHED, 0, 0);
        host_.Layout();
    }

    DuiLib::CLabelUI* Line() {
        return dynamic_cast<DuiLib::CLabelUI*>(host_.Control(PageNames::kLeftoversLabel));
    }

    // The button's place, which the line must not move.
    void ExpectLayoutKept() {
        const RECT text = host_.PageRect(PageNames::kFinishLabel);
        const RECT line = host_.PageRect(PageNames::kLeftoversLabel);
        const RECT button = host_.PageRect(PageNames::kFinishButton);
        EXPECT_EQ(line.top, text.bottom);
        EXPECT_EQ(line.bottom - line.top, 20);
        EXPECT_LE(line.right - line.left, 600);
        EXPECT_EQ(button.top, text.bottom + 20);
        EXPECT_EQ(button.top, 90);
    }

    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, Entry()};
    test::ScratchRegKey productKey_{HKEY_LOCAL_MACHINE, kProductKeyPath, KEY_WOW64_64KEY};
    test::ScratchFolder install_{L"Finish line install"};
    ZPage3* page_ = nullptr;
    test::PageHost host_{PageInABox(page_), kPageWidth, kPageHeight};
};

TEST_F(FinishLinePageTest, NothingLeftShowsNoLine) {
    RunProgramEngine();
    ShowFinish();

    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(Line()->GetText(), L"");
    ExpectLayoutKept();
}

TEST_F(FinishLinePageTest, AnItemLeftIsNamedUnderTheCompletionText) {
    KeepTheProductKey();
    RunProgramEngine();
    ShowFinish();

    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(Line()->GetText(), L"以下内容未能删除：" + kProductKeyName);
    EXPECT_TRUE(Line()->IsVisible());
    ExpectLayoutKept();
}

TEST_F(FinishLinePageTest, AScheduledItemAsksForARestart) {
    test::WriteFile(install_ / L"held.dll", "held");
    const ScopedFileHandle held(::CreateFileW((install_ / L"held.dll").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    RunProgramEngine();
    ShowFinish();

    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(Line()->GetText(), kRestartCompletesRemovalText);
    ExpectLayoutKept();
}

TEST_F(FinishLinePageTest, ALongTranslationIsCutWithAnEllipsisInItsPlace) {
    const std::string longText(400, 'x');
    test::UseLanguageWithDictionary(
        L"English", "{\"以下内容未能删除：@\": {\"English\": \"" + longText + " @\"}}");
    KeepTheProductKey();
    RunProgramEngine();
    ShowFinish();

    ASSERT_NE(Line(), nullptr);
    EXPECT_EQ(Line()->GetText(),
              std::wstring(longText.begin(), longText.end()) + L" " + kProductKeyName);
    EXPECT_TRUE(Line()->TextStyle() & DT_END_ELLIPSIS);
    EXPECT_TRUE(Line()->TextStyle() & DT_SINGLELINE);
    ExpectLayoutKept();
    test::UseLanguage(kSourceLanguage);
}

}  // namespace

#pragma once

#include "CControlUI.h"
#include "CUIManager.h"
#include "WindowImplBase.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A skinned window for the tests: builds its control tree in code, records every notification
// it receives and lets the test drive it with real (posted) window messages.
namespace test {

struct ReceivedNotification {
    std::wstring type;
    DuiLib::CControlUI* sender;
    std::wstring senderText;  // the sender's text when the notification arrived
};

class TestWindow : public DuiLib::WindowImplBase {
public:
    using TreeBuilder = std::function<std::unique_ptr<DuiLib::CControlUI>()>;

    explicit TestWindow(TreeBuilder build = {});
    ~TestWindow() override;

    // Creates the window (400 x 300 unless given), shows it without activating and lays the tree
    // out.
    HWND Open(int width = 400, int height = 300, HWND owner = nullptr);

    // Runs the thread's queued messages as a modal loop would.
    static void Pump();
    // Posts a mouse message at a client point to the window that would get it (the capture, a
    // child window under the point, else this window), then runs the queue.
    void Mouse(UINT message, POINT point);
    void Click(POINT point);
    // Posts a key press (the queue's translation makes its character, as for a real key), then
    // runs the queue.
    static void Key(HWND target, UINT virtualKey);
    // Posts the characters of text as a keyboard or input method delivers them, then runs the
    // queue.
    static void Type(HWND target, const std::wstring& text);

    // Notifications of one type, in order.
    std::vector<ReceivedNotification> Received(const std::wstring& type) const;

    std::vector<ReceivedNotification> notifications;
    int closeMessages = 0;
    bool keepOpenOnClose = false;
    SIZE minTrackSize = {0, 0};
    DuiLib::SkinResourceType resourceType = DuiLib::SkinResourceType::kFiles;
    std::wstring archiveFile;
    std::wstring resourceId;
    std::wstring skinFileAsked;

    void Notify(DuiLib::UINotify& notification) override;
    std::unique_ptr<DuiLib::CControlUI> CreateControl(std::wstring_view name) override;

protected:
    const wchar_t* WindowClassName() const override;
    std::wstring SkinFolder() override;
    std::wstring SkinFile() override;
    DuiLib::SkinResourceType ResourceType() const override;
    std::wstring ArchiveFileName() const override;
    std::wstring SkinResourceId() const override;
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    TreeBuilder build_;
};

// The centre of a control, in client coordinates.
POINT CentreOf(const DuiLib::CControlUI& control);

}  // namespace test

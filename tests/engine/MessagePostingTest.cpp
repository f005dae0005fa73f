#include "MessagePosting.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A message-only window of the test thread, destroyed with the object.
class QueueWindow {
public:
    QueueWindow()
        : window_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr)) {}
    ~QueueWindow() { Destroy(); }
    QueueWindow(const QueueWindow&) = delete;
    QueueWindow& operator=(const QueueWindow&) = delete;

    HWND Get() const { return window_; }
    void Destroy() {
        if (window_ != nullptr) {
            ::DestroyWindow(window_);
            window_ = nullptr;
        }
    }

private:
    HWND window_;
};

// Fails like a full queue the first failures times, then posts for real.
PostMessageFunction FullQueueFor(int failures, int& calls) {
    return [failures, &calls](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (++calls <= failures) {
            ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
            return FALSE;
        }
        return ::PostMessageW(window, message, wParam, lParam);
    };
}

TEST(PostUntilQueuedTest, PostsAgainUntilTheQueueTakesTheMessage) {
    QueueWindow window;
    ASSERT_NE(window.Get(), nullptr);
    int calls = 0;

    EXPECT_TRUE(PostUntilQueued(FullQueueFor(3, calls), window.Get(), WM_USER + 7, 11, 22));

    EXPECT_EQ(calls, 4);
    MSG message = {};
    ASSERT_TRUE(::PeekMessageW(&message, window.Get(), WM_USER + 7, WM_USER + 7, PM_REMOVE));
    EXPECT_EQ(message.wParam, 11u);
    EXPECT_EQ(message.lParam, 22);
    EXPECT_FALSE(::PeekMessageW(&message, window.Get(), 0, 0, PM_REMOVE));
}

TEST(PostUntilQueuedTest, PostsOnceWhenTheQueueHasRoom) {
    QueueWindow window;
    int calls = 0;
    EXPECT_TRUE(PostUntilQueued(FullQueueFor(0, calls), window.Get(), WM_USER + 7, 0, 0));
    EXPECT_EQ(calls, 1);
}

TEST(PostUntilQueuedTest, GivesUpWhenTheWindowIsGone) {
    QueueWindow window;
    const HWND gone = window.Get();
    window.Destroy();
    int calls = 0;

    EXPECT_FALSE(PostUntilQueued(FullQueueFor(1000000, calls), gone, WM_USER + 7, 0, 0));
    EXPECT_EQ(calls, 1);
}

}  // namespace

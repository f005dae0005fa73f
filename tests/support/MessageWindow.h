#pragma once

#include <windows.h>

#include <functional>

namespace test {

// A hidden top-level window of the creating thread that hands every message it receives to a
// handler (return true when handled; the rest goes to the default procedure). The window is
// destroyed with the object, on the thread that created it.
class MessageWindow {
public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

}  // namespace test

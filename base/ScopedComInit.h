#pragma once

#include <objbase.h>

// Initialises COM on the calling thread for the lifetime of the object, and uninitialises it only
// when the initialisation succeeded (a thread already in another apartment keeps that one).
class ScopedComInit {
public:
    explicit ScopedComInit(DWORD apartment) : result_(::CoInitializeEx(nullptr, apartment)) {}
    ~ScopedComInit() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

    bool Succeeded() const { return SUCCEEDED(result_); }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

#include "CUninstallLogFile.h"

#include "CDiskObject.h"
#include "TextConvert.h"

#include <cwchar>
#include <mutex>

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

std::wstring TimeStamp(const SYSTEMTIME& time) {
    wchar_t stamp[32];
    std::swprintf(stamp, std::size(stamp), L"%04u-%02u-%02u %02u:%02u:%02u.%03u", time.wYear,
                  time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                  time.wMilliseconds);
    return stamp;
}

}  // namespace

std::string FormatLogLines(const SYSTEMTIME& time, const std::wstring& text) {
    const std::wstring stamp = TimeStamp(time);
    std::wstring lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        lines += stamp + L" " + text.substr(start, end - start) + L"\r\n";
        if (end == std::wstring::npos) {
            break;
        }
        start = text.compare(end, 2, L"\r\n") == 0 ? end + 2 : end + 1;
        if (start >= text.size()) {
            break;
        }
    }
    return WideToUtf8(lines);
}

CUninstallLogFile::CUninstallLogFile(const std::wstring& path) {
    if (path.empty()) {
        return;
    }
    // Appending only: writes from this and the other process of the run land at the end, never
    // over each other and never over what earlier runs wrote.
    file_.Reset(::CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        openError_ = SystemErrorText(::GetLastError());
        return;
    }
    LARGE_INTEGER size = {};
    if (::GetFileSizeEx(file_.Get(), &size) && size.QuadPart == 0) {
        DWORD written = 0;
        ::WriteFile(file_.Get(), kUtf8ByteOrderMark, 3, &written, nullptr);
    }
}

void CUninstallLogFile::Write(const std::wstring& line) {
    if (!file_) {
        return;
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::string bytes = FormatLogLines(now, line);
    const std::lock_guard<CriticalSection> hold(lock_);
    DWORD written = 0;
    ::WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

#include "RunFolder.h"

#include "PathUtil.h"
#include "TextConvert.h"

#include <windows.h>
#include <sddl.h>

#include <cwchar>
#include <cwctype>
#include <memory>

namespace {

// How many names are tried before giving up: each one failed only because it existed.
constexpr int kNameAttempts = 16;

struct LocalFreeDeleter {
    void operator()(void* memory) const { ::LocalFree(memory); }
};

unsigned long NextNameValue(int attempt) {
    LARGE_INTEGER counter = {};
    ::QueryPerformanceCounter(&counter);
    return static_cast<unsigned long>(counter.LowPart ^ (::GetCurrentProcessId() << 16) ^
                                      (static_cast<unsigned long>(attempt) * 0x9E3779B9UL));
}

}  // namespace

std::wstring RunFolderName(unsigned long value) {
    wchar_t digits[9] = {};
    std::swprintf(digits, 9, L"%08lX", value & 0xFFFFFFFFUL);
    return kRunFolderPrefix + std::wstring(digits);
}

bool IsRunFolder(std::wstring_view folder, std::wstring_view tempFolder) {
    const std::wstring parent = PathFolder(folder);
    const std::wstring_view name = folder.substr(parent.size() + (parent.empty() ? 0 : 1));
    const std::wstring_view prefix(kRunFolderPrefix);
    if (tempFolder.empty() || !EqualsIgnoringCase(parent, tempFolder) ||
        name.size() != prefix.size() + 8 ||
        !EqualsIgnoringCase(name.substr(0, prefix.size()), prefix)) {
        return false;
    }
    for (const wchar_t c : name.substr(prefix.size())) {
        if (!std::iswxdigit(c)) {
            return false;
        }
    }
    return true;
}

bool RunsFromRunFolder(const std::wstring& programPath) {
    return IsRunFolder(PathFolder(programPath), GetTempFolder());
}

std::optional<std::wstring> CreateRunFolder(const std::wstring& tempFolder) {
    if (tempFolder.empty()) {
        return std::nullopt;
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", SDDL_REVISION_1, &descriptor, nullptr)) {
        return std::nullopt;
    }
    const std::unique_ptr<void, LocalFreeDeleter> ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring folder = tempFolder + L"\\" + RunFolderName(NextNameValue(attempt));
        if (::CreateDirectoryW(folder.c_str(), &attributes)) {
            return folder;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

#include "CDiskObject.h"

#include "FolderWalk.h"
#include "PathUtil.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t kInternalErrorText[] = L"CDiskObject internal error - check call parameters";

// A path cut into the parts the validity check looks at: "C:", "\dir\", "name", ".ext".
struct PathParts {
    std::wstring drive;
    std::wstring folder;
    std::wstring name;
    std::wstring extension;
};

PathParts SplitPath(const std::wstring& path) {
    PathParts parts;
    std::wstring rest = path;
    if (rest.size() >= 2 && rest[1] == L':') {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::size_t slash = rest.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        parts.folder = rest.substr(0, slash + 1);
        rest.erase(0, slash + 1);
    }
    const std::size_t dot = rest.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        parts.extension = rest.substr(dot);
        rest.erase(dot);
    }
    parts.name = rest;
    return parts;
}

bool HoldsWildcardOrColon(const std::wstring& part) {
    return part.find_first_of(L":*?") != std::wstring::npos;
}

// folder + "\" + rest, without doubling the backslash of a root such as "C:\".
std::wstring JoinPath(const std::wstring& folder, const std::wstring& rest) {
    if (!folder.empty() && folder.back() == L'\\') {
        return folder + rest;
    }
    return folder + L"\\" + rest;
}

// The folder above folder; a root ("C:\" or "C:") stays where it is.
std::wstring ParentFolder(const std::wstring& folder) {
    const std::wstring trimmed = WithoutTrailingSeparators(folder);
    const std::size_t slash = trimmed.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return trimmed;
    }
    if (slash == 2 && trimmed[1] == L':') {
        return trimmed.substr(0, 3);
    }
    return trimmed.substr(0, slash);
}

std::wstring CurrentFolder() {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    if (length == 0) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(length);
    const DWORD copied = ::GetCurrentDirectoryW(length, buffer.data());
    return copied > 0 && copied < length ? std::wstring(buffer.data(), copied) : std::wstring();
}

}  // namespace

bool CompleteFullPath(std::wstring& path, const std::wstring& currentFolder) {
    const PathParts parts = SplitPath(path);
    const bool valid = !HoldsWildcardOrColon(parts.folder) && !HoldsWildcardOrColon(parts.name) &&
                       !HoldsWildcardOrColon(parts.extension);
    if (!parts.drive.empty() || parts.folder.rfind(L"\\\\", 0) == 0) {
        return valid;
    }
    const std::wstring fileName = parts.name + parts.extension;
    if (parts.folder.rfind(L"..\\", 0) == 0) {
        std::wstring folder = parts.folder;
        std::wstring base = currentFolder;
        while (folder.rfind(L"..\\", 0) == 0) {
            folder.erase(0, 3);
            base = ParentFolder(base);
        }
        path = JoinPath(base, folder + fileName);
    } else if (parts.folder.rfind(L"\\", 0) == 0) {
        path = currentFolder.substr(0, 2) + path;
    } else {
        path = JoinPath(currentFolder, path);
    }
    return valid;
}

CDiskObject::CDiskObject(HWND feedbackWindow) : feedbackWindow_(feedbackWindow) {}

bool CDiskObject::DeleteSingleFile(const std::wstring& path) {
    errorText_.clear();
    if (path.empty()) {
        SetErrorText(kInternalErrorText);
        return false;
    }
    std::wstring fullPath = path;
    if (!MakeFullPath(fullPath)) {
        return false;
    }
    if (!::DeleteFileW(fullPath.c_str())) {
        SetSystemError(::GetLastError(), fullPath);
        return false;
    }
    return true;
}

bool CDiskObject::DeleteFolderTree(const std::wstring& folder) {
    return DeleteFolderNotify(folder, nullptr);
}

bool CDiskObject::MakeFullPath(std::wstring& path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return CompleteFullPath(path, CurrentFolder());
}

std::wstring SystemErrorText(DWORD code) {
    ScopedLocalMemory<wchar_t> message;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(message.Receive()), 0, nullptr);
    return length > 0 ? TrimWhitespace(std::wstring_view(message.Get(), length)) : std::wstring();
}

void CDiskObject::SetSystemError(DWORD code, const std::wstring& fileName) {
    std::wstring text = SystemErrorText(code);
    if (!fileName.empty()) {
        text += L" " + fileName;
    }
    SetErrorText(std::move(text));
}

const std::wstring& CDiskObject::ErrorText() const {
    return errorText_;
}

void CDiskObject::SetErrorText(std::wstring text) {
    errorText_ = std::move(text);
    if (feedbackWindow_ != nullptr) {
        ::SetWindowTextW(feedbackWindow_, errorText_.c_str());
    }
}

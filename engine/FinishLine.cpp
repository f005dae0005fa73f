#include "FinishLine.h"

#include <windows.h>

namespace {

// Whether outer is inner or a folder (or key) above it; letter case is ignored as Windows does.
bool IsSameOrAbove(const std::wstring& outer, const std::wstring& inner) {
    if (outer.empty() || outer.size() > inner.size()) {
        return false;
    }
    const bool boundary = outer.size() == inner.size() || inner[outer.size()] == L'\\';
    return boundary &&
           ::CompareStringOrdinal(outer.data(), static_cast<int>(outer.size()), inner.data(),
                                  static_cast<int>(outer.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ReplaceEach(std::wstring text, wchar_t mark, const std::wstring& replacement) {
    for (std::size_t at = text.find(mark); at != std::wstring::npos;
         at = text.find(mark, at + replacement.size())) {
        text.replace(at, 1, replacement);
    }
    return text;
}

}  // namespace

std::wstring ItemLeftToName(const UninstallOutcome& outcome) {
    if (outcome.remaining.empty()) {
        return std::wstring();
    }
    const std::wstring& first = outcome.remaining.front();
    std::wstring outermost = first;
    for (const std::wstring& item : outcome.remaining) {
        if (item.size() < outermost.size() && IsSameOrAbove(item, first)) {
            outermost = item;
        }
    }
    return outermost;
}

std::wstring ChooseFinishLine(const UninstallOutcome& outcome, const std::wstring& restartText,
                              const std::wstring& itemLeftText) {
    if (!outcome.remaining.empty()) {
        return ReplaceEach(itemLeftText, L'@', ItemLeftToName(outcome));
    }
    if (!outcome.scheduledForRestart.empty()) {
        return restartText;
    }
    return std::wstring();
}

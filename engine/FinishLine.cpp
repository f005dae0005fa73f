#include "FinishLine.h"

#include "PathUtil.h"

#include <windows.h>

namespace {

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
        if (item.size() < outermost.size() && IsAtOrBelow(first, item)) {
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

#pragma once

#include "UninstallOutcome.h"

#include <string>

// The line the finish page shows under the completion text when the removal is not complete.
// The texts are the dictionary's source texts; "@" stands for the item that is left.
inline constexpr wchar_t kRestartCompletesRemovalText[] = L"重新启动计算机后即可完成卸载";
inline constexpr wchar_t kItemLeftText[] = L"以下内容未能删除：@";

// The item a finish line names for outcome: of the remaining items, the outermost one that is or
// holds the first remaining item (the installation folder that a left file keeps, rather than
// the file). Empty when nothing remains.
std::wstring ItemLeftToName(const UninstallOutcome& outcome);

// The line for outcome, given the translations of the two texts above: the item-left text naming
// ItemLeftToName when anything remains, else the restart text when anything is scheduled, else
// empty.
std::wstring ChooseFinishLine(const UninstallOutcome& outcome, const std::wstring& restartText,
                              const std::wstring& itemLeftText);

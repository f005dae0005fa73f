#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The arithmetic of the progress page: how far the bar is filled and what the progress line says
// for "done of total" items.

// Pixels the bar can show: done / total of 450, never more than this.
constexpr int kProgressFillLimit = 443;
constexpr int kProgressFillScale = 450;

// The filled width for done of total: done / total x 450 in single precision, truncated, kept
// within 0..443. None when total is 0 or less (the bar keeps its width).
std::optional<int> ProgressFillWidth(int32_t done, int32_t total);

// done x 100 / total truncated toward zero (above 100 when done exceeds total). None when total
// is 0 or less.
std::optional<int64_t> ProgressPercent(int32_t done, int32_t total);

// pattern with every "@" replaced by percent in decimal.
std::wstring ProgressLineText(const std::wstring& pattern, int64_t percent);

// Left padding that centres a button of buttonWidth in a box of boxWidth (rounded toward zero).
int CentredLeftPadding(int boxWidth, int buttonWidth);

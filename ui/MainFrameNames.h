#pragma once

// Names of the main window's own controls and of its pages, looked up or acted on by name
// (exact, case-sensitive). The pages' controls are named in PageNames.h.
namespace FrameNames {
inline constexpr wchar_t kCloseCommand[] = L"关闭";
inline constexpr wchar_t kCloseButton[] = L"CButtonUI_关闭";
inline constexpr wchar_t kPages[] = L"CTabLayoutUI_Pages";
inline constexpr wchar_t kConfirmPage[] = L"ZPage1_卸载前提示页";
inline constexpr wchar_t kLocationPage[] = L"ZPage2_卸载设置页";
inline constexpr wchar_t kProgressPage[] = L"ZPage3_卸载进度页";
}  // namespace FrameNames

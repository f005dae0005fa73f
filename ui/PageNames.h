#pragma once

// Names of the page controls that the main frame and the pages look up (exact, case-sensitive).
namespace PageNames {
inline constexpr wchar_t kConfirmButton[] = L"CButtonUI_是的,卸载";
inline constexpr wchar_t kCancelButton[] = L"CButtonUI_不卸载";
inline constexpr wchar_t kLocationEdit[] = L"CEditUI_软件所在目录";
inline constexpr wchar_t kStartButton[] = L"CButtonUI_开始卸载";
inline constexpr wchar_t kStatusLabel[] = L"CLabelUI_UninstallStatus";
inline constexpr wchar_t kProgressLabel[] = L"CLabelUI_UninstallProgress";
inline constexpr wchar_t kProgressBar[] = L"ZInstallProgressUI_UninstallProgressBar";
inline constexpr wchar_t kFinishLabel[] = L"CLabelUI_UninstallFinish";
inline constexpr wchar_t kFinishButton[] = L"CButtonUI_FinishUninstall";
inline constexpr wchar_t kLeftoversLabel[] = L"CLabelUI_UninstallLeftovers";
}  // namespace PageNames

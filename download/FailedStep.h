#pragma once

#include <string>

class CBrimletDlg;

// The status every failed download ends with (except the two MSR exits).
inline constexpr char kDownloadFailedText[] = "다운로드 실패";

// A failed step of the download: the step's text as a notice, then the status line
// "다운로드 실패". Returns 1, the result a failed authentication phase gives.
int ReportFailedStep(CBrimletDlg& window, const std::string& text);

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "components/window_platform.h"

namespace tavern {

// Codes and messages of the fatal run-time errors.
inline constexpr int kIndexAboveCount = 1;
inline constexpr int kIndexBelowOne = 4;
inline constexpr int kKindMismatch = 5;
inline constexpr std::string_view kIndexAboveCountMessage = "数组成员引用下标超出定义范围";
inline constexpr std::string_view kIndexBelowOneMessage = "数组成员引用下标必须大于等于1";
inline constexpr std::string_view kKindMismatchMessage = "数据或数组类型不匹配";
inline constexpr std::string_view kMainWindowLoadFailedMessage = "载入启动窗口失败";

// The exit code after a fatal run-time error (status 255).
inline constexpr int kFatalExitCode = -1;

// The text of the fatal error box for `code` (if any) and `message`.
std::string FatalErrorText(std::optional<int> code, std::string_view message);

// Shows the fatal error box, then ends the program with kFatalExitCode
// without running the exit routines.
[[noreturn]] void FatalError(WindowPlatform& platform, std::optional<int> code,
                             std::string_view message);

}  // namespace tavern

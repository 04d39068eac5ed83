#include "app/fatal_error.h"

#include <cstdlib>

namespace tavern {

std::string FatalErrorText(std::optional<int> code, std::string_view message) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code) text += "错误代码：" + std::to_string(*code) + "\r\n\r\n";
  text += "错误信息：";
  text += message;
  text += "\r\n";
  return text;
}

void FatalError(WindowPlatform& platform, std::optional<int> code, std::string_view message) {
  platform.ShowMessageBox(MessageBoxRequest{FatalErrorText(code, message), "错误",
                                            MessageIcon::kError, /*task_modal=*/false});
  platform.DropExitRoutines();
  platform.Exit(kFatalExitCode);
  std::abort();  // Exit does not return
}

}  // namespace tavern

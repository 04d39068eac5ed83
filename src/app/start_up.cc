#include "app/start_up.h"

#include <cstdlib>

#include "app/fatal_error.h"
#include "app/home_page.h"
#include "app/main_window_definition.h"

namespace tavern {

void Program::Start() {
  state_.BrowserBoxes = BrowserList();
  platform_.AddExitRoutine([this] { ReleaseSharedState(state_); });
  if (!platform_.LoadWindow(MainWindowDefinition(), events_)) {
    FatalError(platform_, std::nullopt, kMainWindowLoadFailedMessage);
  }
}

void Program::Finish() {
  platform_.RunMessageLoop();
  platform_.Exit(0);
  std::abort();  // Exit does not return
}

int RunProgram(WindowPlatform& platform) {
  Program program(platform);
  program.Start();
  program.Finish();
}

}  // namespace tavern

#pragma once

#include "app/main_window_events.h"
#include "app/shared_state.h"
#include "components/window_platform.h"

namespace tavern {

// One run of the program on a platform.
class Program {
 public:
  explicit Program(WindowPlatform& platform) : platform_(platform), events_(platform, state_) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Prepares the shared state, registers its exit routine and loads the
  // main window, which opens the home page. A main window that cannot be
  // loaded is a fatal error.
  void Start();
  // Runs the message loop until the last window is gone, then ends the
  // process through exit processing with code 0.
  [[noreturn]] void Finish();

  const SharedState& state() const { return state_; }

 private:
  WindowPlatform& platform_;
  SharedState state_;
  MainWindowEvents events_;
};

// The whole run of the program on `platform`; ends the process.
int RunProgram(WindowPlatform& platform);

}  // namespace tavern

#include "settings/settings_window.h"

#include "app/config_file.h"
#include "components/profile.h"
#include "settings/settings_window_definition.h"

namespace tavern {
namespace {

constexpr int kEnter = 13;

class SettingsWindowEvents : public WindowEvents {
 public:
  explicit SettingsWindowEvents(WindowPlatform& platform) : platform_(platform) {}

  void OnCreated(int32_t window_id) override { window_id_ = window_id; }

  void OnButtonClicked(const std::string& component) override {
    if (component == kOkButtonName) {
      SaveHomePage();
    } else if (component == kCancelButtonName) {
      platform_.CloseWindow(window_id_);
    }
  }

  void OnCharInput(const std::string& component, int character) override {
    if (component == kHomePageEditName && character == kEnter) SaveHomePage();
  }

 private:
  // Writes the typed text as it stands, then closes the window. A failed
  // write is not reported: the file keeps what it held.
  void SaveHomePage() {
    const std::optional<ComponentRef> edit = platform_.FindComponent(window_id_, kHomePageEditName);
    EditBox* box = edit ? platform_.GetEditBox(*edit) : nullptr;
    if (box != nullptr) {
      WriteProfileString(ConfigPath(platform_), kHomePageSection, kHomePageKey, box->text());
    }
    platform_.CloseWindow(window_id_);
  }

  WindowPlatform& platform_;
  int32_t window_id_ = 0;
};

}  // namespace

void OpenSettingsWindow(WindowPlatform& platform) {
  SettingsWindowEvents events(platform);
  platform.RunModal(SettingsWindowDefinition(), events);
}

}  // namespace tavern

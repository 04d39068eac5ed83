#include "core/program_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tavern {
namespace {

std::string MakeRunDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tavern-core-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

}  // namespace

ProgramTest::ProgramTest() : platform_(MakeRunDirectory()) {
  run_directory_ = platform_.RunDirectory();
}

ProgramTest::~ProgramTest() {
  std::error_code ignored;
  std::filesystem::remove_all(run_directory_, ignored);
}

void ProgramTest::WriteConfig(const std::string& bytes) {
  std::ofstream(config_path(), std::ios::binary) << bytes;
}

std::string ProgramTest::ReadConfig() const {
  std::ifstream in(config_path(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ProgramTest::Start() { program_.Start(); }

std::optional<int> ProgramTest::ExitCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const fake::ProcessExit& exit) {
    return exit.code;
  }
  return std::nullopt;
}

std::vector<std::string> ProgramTest::Captions() {
  std::vector<std::string> captions;
  for (int i = 0; i < tabs().TabCount(); ++i) captions.push_back(tabs().tab(i).caption);
  return captions;
}

void ProgramTest::OpenTyped(const std::string& address) {
  platform_.AddressBox().text_.clear();
  platform_.TypeText(main_window(), kAddressBoxName, address);
  platform_.PressEnter(main_window(), kAddressBoxName);
}

void ProgramTest::ChooseInNextPopup(const std::string& caption) {
  const int item = FindMenuItem(MainWindowDefinition(), caption);
  ASSERT_GE(item, 0) << caption;
  platform_.on_popup = [this, item](const fake::PopupRecord&) -> std::optional<int> {
    platform_.on_popup = nullptr;
    return item;
  };
}

}  // namespace tavern

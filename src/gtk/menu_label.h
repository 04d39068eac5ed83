#pragma once

#include <string>
#include <string_view>

namespace tavern::gtk {

// A menu caption in which "&" marks the access key ("&&" a literal "&"),
// written as a GTK mnemonic label ("_" marks the key, "__" a literal "_").
std::string MnemonicLabel(std::string_view caption);

}  // namespace tavern::gtk

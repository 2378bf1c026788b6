// The language chooser, window 3: a small window with a drop-down list of the
// languages and an OK button, shown before the interface texts are loaded (so its
// texts are fixed). Caption " Quarvel", title bar without system menu, client area
// 140 x 55, centred on the screen.
//
// Control numbers:
//   1  the OK button (also pressed by the Return key)
//   2  the drop-down list of the languages
#pragma once

#include "texts/language_choice.h"

namespace qv {

constexpr int kChooserOkButton = 1;
constexpr int kChooserLanguageList = 2;

class Win32LanguageChooser final : public LanguageChooser {
 public:
  // Waits for the user: OK with an item selected returns it, OK without a selection
  // does nothing, closing the window returns none.
  bool chooseLanguage(const std::vector<std::string>& items, size_t& chosen) override;
};

}  // namespace qv

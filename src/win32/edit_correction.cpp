#include "win32/edit_correction.h"

#include "win32/wide_text.h"

namespace trel {

void TakeBack(HWND edit, const RefusedInput& refused) {
  std::u16string text = WindowText(edit);
  text.replace(refused.start, refused.length, refused.kept);
  ::SetWindowTextW(edit, ToWide(text).c_str());
  const auto caret = static_cast<WPARAM>(refused.start + refused.kept.size());
  ::SendMessageW(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

}  // namespace trel

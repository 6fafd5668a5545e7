#pragma once

#include <string>
#include <vector>

namespace trel {

// The common file dialog's filter: for each "XML Files (*.xml)" its text, a NUL, the pattern in its
// parentheses, a NUL; a second NUL at the end. "All Files (*)" matches "*.*", as Windows writes it.
std::u16string FileDialogFilter(const std::vector<std::u16string>& filters);

}  // namespace trel

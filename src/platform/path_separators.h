#pragma once

#include <string_view>

namespace trel {

// What separates folders in a path the operator gives: "/" everywhere, "\" too on Windows; a name
// joined to a folder takes the system's own separator.
#ifdef _WIN32
inline constexpr std::u16string_view kFolderSeparators = u"\\/";
inline constexpr char16_t kJoiningSeparator = u'\\';
#else
inline constexpr std::u16string_view kFolderSeparators = u"/";
inline constexpr char16_t kJoiningSeparator = u'/';
#endif

}  // namespace trel

#pragma once

#include <filesystem>

namespace trel {

// The working copy of the parameter list that one `trel send` or `trel record` sends from. It lives
// in a temporary folder of its own, removed when the object goes, so the command line never touches
// the desktop tool's working copy and two runs never share one.
class PrivateWorkingCopy {
 public:
  // Creates the folder; throws std::filesystem::filesystem_error when it cannot.
  PrivateWorkingCopy();
  ~PrivateWorkingCopy();
  PrivateWorkingCopy(const PrivateWorkingCopy&) = delete;
  PrivateWorkingCopy& operator=(const PrivateWorkingCopy&) = delete;

  // Imports the parameter list as the desktop tool's Import does: converted to the UTF-16LE working
  // copy, or copied byte for byte when it cannot be converted; then the table is loaded and stored
  // back, so the working copy holds what the table would send. The store writes each text as given,
  // so a command whose blanks at its ends were kept by quotes in the list loses them, in the window
  // and here alike.
  void importFrom(const std::filesystem::path& parameterList) const;

  const std::filesystem::path& path() const { return file_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

}  // namespace trel

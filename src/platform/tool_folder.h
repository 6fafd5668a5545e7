#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trel {

// The folder that holds the tool's settings file and its working copy: $TREL_TOOL_DIR when set;
// else the executable's folder when it holds "TrelTool.ini" or can be written (a portable install)
// and is not the folder the package installs the programs to; else the user's configuration
// folder: $XDG_CONFIG_HOME/trel-update (by default ~/.config/trel-update), on Windows
// %APPDATA%\trel-update. The folder is created when it does not exist yet.
std::filesystem::path ToolFolder();
std::filesystem::path SettingsFilePath();  // ToolFolder()/"TrelTool.ini"
std::filesystem::path WorkingCopyPath();   // ToolFolder()/"TrelDefault.ini"

// What the choice of the tool folder depends on, so that it can be made without touching the real
// environment.
// Texts are UTF-8.
struct ToolFolderSources {
  std::optional<std::string> toolDir;      // $TREL_TOOL_DIR
  std::filesystem::path executableFolder;  // empty when unknown
  std::optional<std::string> configHome;   // $XDG_CONFIG_HOME; %APPDATA% on Windows
  // $HOME, else the account's home folder; %USERPROFILE% on Windows
  std::optional<std::string> home;
  // Where the package installs the programs, "/usr/bin": the system's folder, never the
  // operator's, even for the superuser, who may write there. Empty: no such folder.
  std::filesystem::path installedProgramFolder;
};
// Read from this process and its environment, the operating system's way.
ToolFolderSources CurrentToolFolderSources();
// Chooses the folder (and creates the folder it chose).
std::filesystem::path ChooseToolFolder(const ToolFolderSources& sources);

// The folder part of a path: what stands before its last "/" (or "\" on Windows); empty when there
// is none or when the path has at most one character (so never the file-system root).
std::u16string FolderPart(std::u16string_view path);

// The folder, the system's separator ("/", "\" on Windows) and the name; the name alone when the
// folder is empty.
std::u16string JoinFolderAndName(std::u16string_view folder, std::u16string_view name);

}  // namespace trel

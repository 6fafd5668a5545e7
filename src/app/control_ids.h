#pragma once

namespace trel::control {

// Identifiers of the main window's controls; the settings, the layout rules and the job name
// controls by them.
inline constexpr int kStart = 1;
inline constexpr int kExit = 2;
inline constexpr int kXmlPath = 1000;
inline constexpr int kProgress = 1001;
inline constexpr int kBrowse = 1002;
inline constexpr int kStatus = 1003;
inline constexpr int kIniPath = 1004;
inline constexpr int kImport = 1005;
inline constexpr int kPortSelector = 1006;
inline constexpr int kTree = 1007;
inline constexpr int kMoreXmlPath = 1008;
inline constexpr int kTable = 1009;
inline constexpr int kSave = 1010;
inline constexpr int kCommandText = 1011;
inline constexpr int kChange = 1012;
inline constexpr int kSaveIni = 1013;
inline constexpr int kSaveXml = 1014;
inline constexpr int kMoreXmlEdit = 1015;
inline constexpr int kMoreXmlLabel = 1016;
inline constexpr int kXmlLabel = 1017;
inline constexpr int kPortLabel = 1018;
inline constexpr int kIniLabel = 1019;
inline constexpr int kExport = 1020;
inline constexpr int kBaudSelector = 1021;
inline constexpr int kStopSelector = 1022;
inline constexpr int kBaudLabel = 1023;
inline constexpr int kStopLabel = 1024;
inline constexpr int kGroup = 1025;
inline constexpr int kEditCommand = 1026;

}  // namespace trel::control

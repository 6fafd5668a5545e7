#include "app/main_window_template.h"

#include <algorithm>

#include "app/control_ids.h"

namespace trel {

using K = ControlKind;
namespace c = control;

namespace {

const ControlTemplate kMainWindowControls[] = {
    {c::kGroup, K::kGroupBox, "", 14, 3, 562, 29, false},
    {c::kPortLabel, K::kLabel, "Port:", 19, 15, 45, 12, false},
    {c::kPortSelector, K::kEditableCombo, "", 75, 13, 78, 30, false},
    {c::kBaudLabel, K::kLabel, "BaudRate:", 161, 14, 37, 13, false},
    {c::kBaudSelector, K::kListCombo, "", 207, 13, 78, 30, false},
    {c::kStopLabel, K::kLabel, "StopBits:", 288, 14, 30, 13, false},
    {c::kStopSelector, K::kListCombo, "", 328, 13, 78, 30, false},
    {c::kStart, K::kButton, "Start", 463, 12, 50, 14, false},
    {c::kExit, K::kButton, "Exit", 517, 12, 50, 14, false},
    {c::kIniLabel, K::kLabel, "Select INI file:", 7, 44, 62, 12, false},
    {c::kIniPath, K::kLineEdit, "", 75, 36, 405, 19, false},
    {c::kImport, K::kButton, "Import", 497, 38, 37, 14, false},
    {c::kExport, K::kButton, "Export", 539, 38, 34, 14, false},
    {c::kXmlLabel, K::kLabel, "Select XML file:", 7, 63, 62, 10, false},
    {c::kXmlPath, K::kLineEdit, "", 75, 59, 406, 19, false},
    {c::kBrowse, K::kButton, "Browse...", 497, 60, 76, 14, false},
    {c::kMoreXmlLabel, K::kLabel, "Select more XML file:", 6, 85, 69, 11, true},
    {c::kMoreXmlPath, K::kLineEdit, "", 75, 81, 407, 19, true},
    {c::kMoreXmlEdit, K::kButton, "Edit", 497, 83, 76, 14, true},
    {c::kProgress, K::kProgressBar, "", 19, 107, 552, 14, false},
    {c::kTree, K::kTreeView, "", 144, 109, 60, 50, true},
    {c::kStatus, K::kLeftLabel, "No found device.", 19, 128, 393, 22, false},
    {c::kSaveIni, K::kCheckBox, "Save Ini data", 425, 127, 69, 12, false},
    {c::kSaveXml, K::kCheckBox, "Save Xml data", 503, 128, 68, 11, false},
    {c::kTable, K::kTable, "", 19, 155, 558, 254, false},
    {c::kCommandText, K::kMultiLineEdit, "", 21, 415, 437, 30, false},
    {c::kChange, K::kButton, "Change", 465, 413, 38, 16, false},
    {c::kEditCommand, K::kButton, "Edit", 465, 434, 38, 16, false},
    {c::kSave, K::kButton, "Save", 508, 413, 36, 37, false},
};

bool IsOneOf(int id, std::initializer_list<int> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

const DialogTemplate kMainWindowTemplate{595, 463, c::kStart, kMainWindowControls};

std::optional<HorizontalRule> HorizontalRuleOf(int controlId) {
  if (IsOneOf(controlId,
              {c::kPortLabel, c::kIniLabel, c::kBaudLabel, c::kStopLabel, c::kXmlLabel,
               c::kMoreXmlLabel, c::kPortSelector, c::kBaudSelector, c::kStopSelector})) {
    return HorizontalRule::kKeepLeft;
  }
  if (IsOneOf(controlId, {c::kBrowse, c::kStart, c::kExit, c::kImport, c::kMoreXmlEdit, c::kSave,
                          c::kChange, c::kEditCommand, c::kExport, c::kSaveIni, c::kSaveXml})) {
    return HorizontalRule::kKeepRight;
  }
  if (IsOneOf(controlId, {c::kIniPath, c::kCommandText, c::kXmlPath, c::kMoreXmlPath, c::kProgress,
                          c::kStatus, c::kTable, c::kGroup})) {
    return HorizontalRule::kStretch;
  }
  return std::nullopt;
}

}  // namespace trel

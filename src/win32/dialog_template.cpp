#include "win32/dialog_template.h"

#include <commctrl.h>

#include <string>

namespace trel {
namespace {

struct ControlClass {
  const wchar_t* name;
  long style;  // the style constants are of type long
};

// The class and the styles a control of each kind is made with.
ControlClass ClassOf(ControlKind kind, bool isDefault) {
  switch (kind) {
    case ControlKind::kGroupBox:
      return {L"BUTTON", BS_GROUPBOX};
    case ControlKind::kLabel:
      return {L"STATIC", SS_CENTER};
    case ControlKind::kLeftLabel:
      return {L"STATIC", SS_LEFT};
    case ControlKind::kEditableCombo:
      return {L"COMBOBOX", CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::kListCombo:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::kButton:
      return {L"BUTTON", (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP};
    case ControlKind::kLineEdit:
      return {L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, WS_BORDER};
    case ControlKind::kTreeView:
      return {WC_TREEVIEWW, WS_BORDER | WS_TABSTOP};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::kTable:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS | LVS_SHOWSELALWAYS |
                                WS_BORDER | WS_TABSTOP};
    case ControlKind::kMultiLineEdit:
      return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
  }
  return {L"STATIC", 0};
}

std::wstring WideOf(const char* text) {
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

DialogTemplateBuffer::DialogTemplateBuffer(const DialogTemplate& design, std::wstring_view caption,
                                           int pointSize, DWORD style, DWORD extendedStyle) {
  add(1);       // dlgVer
  add(0xFFFF);  // signature: DLGTEMPLATEEX
  addDword(0);  // helpID
  addDword(extendedStyle);
  addDword(style | DS_SETFONT | DS_FIXEDSYS);
  add(static_cast<WORD>(design.controls.size()));
  for (const int value : {0, 0, design.widthDu, design.heightDu}) {
    add(static_cast<WORD>(value));
  }
  add(0);  // no menu
  add(0);  // the dialog class
  addText(caption);
  add(static_cast<WORD>(pointSize));
  add(FW_NORMAL);
  add(0);  // not italic, default character set
  addText(L"MS Shell Dlg");
  for (const ControlTemplate& control : design.controls) {
    addControl(control, control.id == design.defaultButton);
  }
}

void DialogTemplateBuffer::addDword(DWORD value) {
  add(LOWORD(value));
  add(HIWORD(value));
}

void DialogTemplateBuffer::addText(std::wstring_view text) {
  for (const wchar_t unit : text) {
    add(static_cast<WORD>(unit));
  }
  add(0);
}

void DialogTemplateBuffer::alignToDword() {
  if (words_.size() % 2 != 0) {
    add(0);
  }
}

void DialogTemplateBuffer::addControl(const ControlTemplate& control, bool isDefault) {
  alignToDword();
  const ControlClass made = ClassOf(control.kind, isDefault);
  addDword(0);  // helpID
  addDword(0);  // extended style
  addDword(static_cast<DWORD>(WS_CHILD | made.style | (control.hidden ? 0 : WS_VISIBLE)));
  for (const int value : {control.x, control.y, control.cx, control.cy}) {
    add(static_cast<WORD>(value));
  }
  addDword(static_cast<DWORD>(control.id));
  addText(made.name);
  addText(WideOf(control.text));
  add(0);  // no creation data
}

}  // namespace trel

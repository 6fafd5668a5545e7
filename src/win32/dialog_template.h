#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "app/control_template.h"

namespace trel {

// A dialog template in memory (DLGTEMPLATEEX and its items) made from the logic's template: the
// controls in tab order with their ids and dialog-unit rectangles, Windows' own control classes
// and styles for each kind, the dialog font "MS Shell Dlg" at the size given. The dialog manager
// turns dialog units into pixels with that font, as for a dialog of a resource script.
class DialogTemplateBuffer {
 public:
  DialogTemplateBuffer(const DialogTemplate& design, std::wstring_view caption, int pointSize,
                       DWORD style, DWORD extendedStyle);

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void add(WORD word) { words_.push_back(word); }
  void addDword(DWORD value);
  void addText(std::wstring_view text);
  void alignToDword();
  void addControl(const ControlTemplate& control, bool isDefault);

  std::vector<WORD> words_;
};

}  // namespace trel

#include "app/control_template.h"

#include <algorithm>

namespace trel {

const ControlTemplate& DialogTemplate::control(int id) const {
  return *std::find_if(controls.begin(), controls.end(),
                       [id](const ControlTemplate& design) { return design.id == id; });
}

}  // namespace trel

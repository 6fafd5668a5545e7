#include "app/edit_list_template.h"

#include "app/edit_list.h"

namespace trel {
namespace {

using K = ControlKind;

const ControlTemplate kEditListControls[] = {
    {CEditList::kList, K::kTable, "", 7, 7, 224, 135, false},
    {CEditList::kAdd, K::kButton, "Add", 7, 149, 36, 14, false},
    {CEditList::kDel, K::kButton, "Del", 52, 149, 40, 14, false},
    {CEditList::kOk, K::kButton, "OK", 117, 149, 50, 14, false},
    {CEditList::kCancel, K::kButton, "Cancel", 179, 149, 50, 14, false},
};

}  // namespace

const DialogTemplate kEditListTemplate{249, 170, CEditList::kOk, kEditListControls};

}  // namespace trel

#include "app/fake_screen.h"

#include "app/dialog_units.h"

namespace trel::testing {

void FakeListView::removeRow(int row) {
  rows_.erase(rows_.begin() + row);
  selected_ = row < rowCount() ? row : -1;
}

int FakeListView::appendRow() {
  rows_.push_back(Row{std::vector<std::u16string>(static_cast<std::size_t>(columns_)), false});
  selected_ = rowCount() - 1;
  return selected_;
}

std::u16string FakeListView::cellText(int row, int column) const {
  return rows_.at(row).cells.at(column);
}

void FakeListView::setCellText(int row, int column, std::u16string_view text) {
  rows_.at(row).cells.at(column) = text;
}

void FakeListView::endOpenEdit() {
  if (editor_) {
    const Editor ended = *editor_;
    editor_.reset();
    events_->onEditEnded(ended.row, ended.column, ended.text, false);
  }
}

void FakeListView::click(int row, int column) {
  endOpenEdit();
  selected_ = row;
  events_->onSelectedRowPainted(row);
  events_->onCellClicked(row, column, false, true);
}

void FakeListView::paint() {
  if (selected_ >= 0) {
    events_->onSelectedRowPainted(selected_);
  }
}

void FakeListView::typeIntoEditor(std::u16string_view text, bool escape) {
  const Editor editing = *editor_;
  std::u16string typed(text);
  if (const auto refused = events_->onEditorInput(editing.row, editing.column, u"", typed)) {
    typed.replace(refused->start, refused->length, refused->kept);
  }
  editor_.reset();
  events_->onEditEnded(editing.row, editing.column, typed, escape);
}

std::vector<std::u16string> FakeListView::column(int column) const {
  std::vector<std::u16string> texts;
  for (const Row& row : rows_) {
    texts.push_back(row.cells.at(column));
  }
  return texts;
}

void FakeScreen::createControls(const DialogTemplate& design, double pointSize,
                                std::u16string_view caption) {
  caption_ = caption;
  const DialogBaseUnits units = unitsAt(pointSize);
  for (const ControlTemplate& made : design.controls) {
    Control& control = controls_[made.id];
    control.kind = made.kind;
    control.text = std::u16string(made.text, made.text + std::char_traits<char>::length(made.text));
    control.visible = !made.hidden;
    control.place = DialogUnitsToPixels(units, made.x, made.y, made.cx, made.cy);
  }
}

int FakeScreen::entryCount(int id) const {
  return static_cast<int>(controls_.at(id).entries.size());
}

std::u16string FakeScreen::entryText(int id, int index) const {
  return controls_.at(id).entries.at(index);
}

void FakeScreen::insertEntry(int id, int index, std::u16string_view text) {
  Control& control = controls_.at(id);
  control.entries.insert(control.entries.begin() + index, std::u16string(text));
}

// An editable selector shows its selected entry in its edit field.
void FakeScreen::select(int id, int index) {
  Control& control = controls_.at(id);
  control.selection = index;
  if (index >= 0 && control.kind == ControlKind::kEditableCombo) {
    control.text = control.entries.at(index);
  }
}

void FakeScreen::setClientSize(ScreenSize size, ScreenSize minimum) {
  client = size;
  minimumClient = minimum;
}

void FakeScreen::post(std::function<void()> task) {
  tasks_.push(std::move(task));
  const std::lock_guard lock(postedMutex_);
  ++posts_;
  taskPosted_.notify_all();
}

bool FakeScreen::runPostedWhenThere(std::chrono::milliseconds limit) {
  {
    std::unique_lock lock(postedMutex_);
    if (!taskPosted_.wait_for(lock, limit, [this] { return posts_ > runs_; })) {
      return false;
    }
  }
  runPosted();
  return true;
}

void FakeScreen::click(int id) {
  if (controls_.at(id).kind == ControlKind::kCheckBox) {
    controls_.at(id).checked = !controls_.at(id).checked;
  }
  events_->onCommand(id);
}

void FakeScreen::type(int id, std::u16string_view text) {
  Control& control = controls_.at(id);
  std::u16string typed = control.text + std::u16string(text);
  if (const auto refused = events_->onTextEdited(id, control.text, typed)) {
    typed.replace(refused->start, refused->length, refused->kept);
  }
  control.text = typed;
  events_->onTextChanged(id);
}

void FakeScreen::runPosted() {
  while (std::optional<std::function<void()>> task = tasks_.take()) {
    {
      const std::lock_guard lock(postedMutex_);
      ++runs_;
    }
    (*task)();
  }
}

std::optional<std::u16string> FakeDialogs::chooseFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) {
    return std::nullopt;
  }
  const std::optional<std::u16string> answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

bool FakeDialogs::runEditList(CEditList& list) {
  FakeEditListScreen screen;
  list.attach(screen);
  if (editList) {
    editList(list, screen);
  }
  list.detach();
  return screen.ended.value_or(false);
}

bool FakeDialogs::askYesNo(std::u16string_view text, std::u16string_view caption) {
  questions.push_back(std::u16string(caption) + u": " + std::u16string(text));
  if (yesNoAnswers.empty()) {
    return false;
  }
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

}  // namespace trel::testing

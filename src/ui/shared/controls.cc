#include "ui/shared/controls.h"

namespace ondrel::ui {

namespace {

constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 900;

}  // namespace

std::string Indexed(std::string_view name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

int IndexIn(std::string_view control, std::string_view name) {
  if (control.size() < name.size() + 3 || !control.starts_with(name) ||
      control[name.size()] != '(' || control.back() != ')')
    return -1;
  int index = 0;
  for (char c : control.substr(name.size() + 1, control.size() - name.size() - 2)) {
    if (c < '0' || c > '9') return -1;
    index = index * 10 + (c - '0');
  }
  return index;
}

bool InsideOptionGroup(const FormSpec& form, std::string_view name) {
  const auto isOption = [&](std::string_view control) {
    const ControlSpec* spec = FindControl(form, control);
    return spec != nullptr && spec->kind == ControlKind::kOption;
  };
  for (std::size_t i = 1; i < form.tabOrder.size(); ++i)
    if (form.tabOrder[i] == name) return isOption(name) && isOption(form.tabOrder[i - 1]);
  return false;
}

std::vector<std::string_view> TabStops(const FormSpec& form) {
  std::vector<std::string_view> stops;
  for (std::string_view name : form.tabOrder)
    if (!InsideOptionGroup(form, name)) stops.push_back(name);
  return stops;
}

const ControlSpec* FindControl(const FormSpec& form, std::string_view name) {
  for (const ControlSpec& control : form.controls)
    if (control.name == name) return &control;
  return nullptr;
}

int ControlId(const FormSpec& form, std::string_view name) {
  for (std::size_t i = 0; i < form.controls.size(); ++i)
    if (form.controls[i].name == name) return kFirstControlId + static_cast<int>(i);
  for (std::size_t i = 0; i < form.menus.size(); ++i)
    if (form.menus[i].name == name) return kFirstMenuId + static_cast<int>(i);
  return 0;
}

std::string_view ControlName(const FormSpec& form, int id) {
  const auto inRange = [](int offset, std::size_t size) {
    return offset >= 0 && static_cast<std::size_t>(offset) < size;
  };
  if (inRange(id - kFirstControlId, form.controls.size()))
    return form.controls[id - kFirstControlId].name;
  if (inRange(id - kFirstMenuId, form.menus.size())) return form.menus[id - kFirstMenuId].name;
  return {};
}

}  // namespace ondrel::ui

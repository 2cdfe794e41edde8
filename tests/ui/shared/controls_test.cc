// The window tables hold together: names, indexes, identifiers, tab order, menus and places.
#include <gtest/gtest.h>

#include <set>

#include "ui/shared/layouts.h"

namespace ondrel::ui {
namespace {

TEST(ControlNamesTest, IndexesOfControlArrays) {
  EXPECT_EQ(Indexed("txtPath", 1), "txtPath(1)");
  const struct {
    std::string_view control, array;
    int index;
  } cases[] = {{"txtPath(0)", "txtPath", 0},    {"optKindF(12)", "optKindF", 12},
               {"txtPath", "txtPath", -1},      {"txtPathX(1)", "txtPath", -1},
               {"txtPath()", "txtPath", -1},    {"txtPath(1a)", "txtPath", -1},
               {"cmdSfoglia(0)", "txtPath", -1}};
  for (const auto& c : cases) EXPECT_EQ(IndexIn(c.control, c.array), c.index) << c.control;
}

TEST(WindowTablesTest, EveryWindowHoldsTogether) {
  for (const FormSpec* form : kAllForms) {
    SCOPED_TRACE(form->name);
    std::set<std::string_view> names;
    std::set<int> ids;
    for (const ControlSpec& control : form->controls) {
      EXPECT_TRUE(names.insert(control.name).second) << control.name;
      const int id = ControlId(*form, control.name);
      EXPECT_TRUE(ids.insert(id).second);
      EXPECT_EQ(ControlName(*form, id), control.name);
      const Place& at = control.place;
      EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.width > 0 && at.height > 0 &&
                  at.left + at.width <= form->width && at.top + at.height <= form->height)
          << control.name;
    }
    for (const MenuSpec& item : form->menus) {
      EXPECT_TRUE(names.insert(item.name).second) << item.name;
      EXPECT_EQ(ControlName(*form, ControlId(*form, item.name)), item.name);
      if (!item.parent.empty()) {
        EXPECT_TRUE(names.contains(item.parent)) << item.name;
      }
    }
    for (std::string_view name : form->tabOrder) {
      const ControlSpec* control = FindControl(*form, name);
      ASSERT_NE(control, nullptr) << name;
      EXPECT_NE(control->kind, ControlKind::kLabel) << name;  // labels take no focus
    }
    EXPECT_EQ(ControlId(*form, "nessuno"), 0);
    EXPECT_EQ(ControlName(*form, 0), "");
  }
}

}  // namespace
}  // namespace ondrel::ui

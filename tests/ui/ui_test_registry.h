// Every QTest class of the GUI tests registers itself here; one executable runs them all.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace ondrel::ui::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<TestFactory>& RegisteredTests() {
  static std::vector<TestFactory> tests;
  return tests;
}

template <typename TestClass>
struct RegisterTest {
  RegisterTest() {
    RegisteredTests().push_back([] { return std::make_unique<TestClass>(); });
  }
};

}  // namespace ondrel::ui::testing

#define ONDREL_UI_TEST(TestClass) \
  static const ::ondrel::ui::testing::RegisterTest<TestClass> registered##TestClass

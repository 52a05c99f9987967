// The window's test classes register themselves; one program runs them all.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace nosk::testsupport {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<UiTestFactory>& UiTests() {
  static std::vector<UiTestFactory> tests;
  return tests;
}

inline bool RegisterUiTest(UiTestFactory factory) {
  UiTests().push_back(std::move(factory));
  return true;
}

}  // namespace nosk::testsupport

#define NOSK_UI_TEST(Class)              \
  static const bool kRegistered##Class = \
      nosk::testsupport::RegisterUiTest([] { return std::unique_ptr<QObject>(new Class); });

// A fresh scripted platform and fresh shell values for each shell test.
#pragma once

#include "platform/emulation.h"
#include "platform/scripted/scripted.h"
#include "shell/shell_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class ShellTest : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    ResetShellState();
  }
  void TearDown() override { scripted::Reset(); }

  static std::vector<std::string> Names() { return scripted::CallNames(); }

  static int CountOf(const std::string &name) {
    const auto names = Names();
    return static_cast<int>(std::count(names.begin(), names.end(), name));
  }

  // The names of the calls made from the first call named `from` on.
  static std::vector<std::string> NamesFrom(const std::string &from) {
    const auto names = Names();
    const auto it = std::find(names.begin(), names.end(), from);
    return std::vector<std::string>(it, names.end());
  }

  static std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto &box : scripted::MessageBoxes())
      texts.push_back(box.text);
    return texts;
  }

  // Ends the real loop after `passes` idle passes by posting WM_CLOSE.
  static void CloseAfterPasses(int passes) {
    auto count = std::make_shared<int>(0);
    scripted::SetIdleHook([count, passes]() {
      if (++*count == passes)
        scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
    });
  }
};

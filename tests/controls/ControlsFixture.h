#pragma once

#include "CVerticalLayoutUI.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace test {

// A real 400 x 300 window whose root is a vertical layout that the test fills; the window goes
// away with the fixture.
class ControlsFixture : public ::testing::Test {
protected:
    void Build(const std::function<void(DuiLib::CVerticalLayoutUI& root)>& fill) {
        window = std::make_unique<TestWindow>([fill] {
            auto root = std::make_unique<DuiLib::CVerticalLayoutUI>();
            fill(*root);
            return root;
        });
        ASSERT_NE(window->Open(), nullptr);
    }

    void TearDown() override {
        window.reset();
        TestWindow::Pump();
    }

    std::unique_ptr<TestWindow> window;
};

}  // namespace test

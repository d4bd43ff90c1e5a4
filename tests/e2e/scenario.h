// The shared set-up of every end-to-end scenario: no Zintar running and no stored state, before
// and after each test.
#pragma once
#include <gtest/gtest.h>
#include "driver.h"

class ZintarScenario : public ::testing::Test {
protected:
    void SetUp() override {
        // Once per program, before its first start of Zintar: a first start that had to wait for
        // the desktop would otherwise miss the driver's deadline for the main window.
        static const bool desktopReady = driver::WaitForDesktop();
        ASSERT_TRUE(desktopReady) << "the desktop never answered";
        driver::EndAllZintars();
        driver::DeleteProductKey();
    }
    void TearDown() override {
        driver::Kill(zintar);
        driver::EndAllZintars();
        driver::DeleteProductKey();
    }
    // Starts Zintar and waits for its main window; fails the test when it does not come.
    HWND Launch() {
        HWND window = NULL;
        zintar = driver::StartZintarAndWait(&window);
        EXPECT_NE(window, (HWND)NULL) << "Zintar's main window did not appear";
        return window;
    }
    driver::Process zintar;
};

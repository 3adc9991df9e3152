// Every end-to-end test gets its own X server.
#pragma once

#include <gtest/gtest.h>

#include "session.h"

class EndToEnd : public ::testing::Test {
  protected:
    // Esc ends the program with exit code 0 and nothing in its output reports an error of
    // AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer in the sanitizer build.
    static void expectCleanEnd(e2e::Session& session) {
        EXPECT_EQ(session.quitWithEscape(), 0) << session.output();
        EXPECT_EQ(e2e::sanitizerReports(session.output()), "");
    }

    e2e::XServer server_;
};

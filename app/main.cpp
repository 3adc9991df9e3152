// Orvanta's entry: the diagnostic log, start-up (startup.h) and the framework's main loop.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "application.h"
#include "diagnostic_log.h"
#include "startup.h"

namespace {

// Start-up ran out of memory before the window existed.
constexpr int kOutOfMemoryExitCode = 9;
// The diagnostic log could not be created; nothing else was tried.
constexpr int kLogNotCreatedExitCode = 10;

}  // namespace

int main() {
    if (!openDiagnosticLog("output.txt")) {
        // Worded as the framework words its refusals, so that both read alike.
        std::fprintf(stderr, "Orvanta: cannot create output.txt: %s\n", std::strerror(errno));
        return kLogNotCreatedExitCode;
    }
    // Lives until the loop has ended, and with it the device and every callback.
    Application app;
    startApplication(app, {});
    // Without a first puzzle nothing of the framework was started; a device that failed ends
    // the loop at once with the framework's own exit code.
    if (!app.puzzle) {
        return kOutOfMemoryExitCode;
    }
    DXUTMainLoop();
    return DXUTGetExitCode();
}

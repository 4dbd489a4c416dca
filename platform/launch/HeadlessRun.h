// HeadlessRun.h: the real program run once on a headless host, for tests and the demo.
#pragma once

#include "platform/host/headless/HeadlessHost.h"

#include <string>

namespace launch {

// Runs the program on host from start-up to its end with a fresh application object: the
// display follows the host's settings, input comes from the host's script and time is the
// host's. The host stays installed afterwards, so its frames and waves can be read. Returns
// the program's exit code, or -1 with the reason in *error when it could not start.
int run_headless(host::HeadlessHost& host, std::string* error = nullptr);

}  // namespace launch

#pragma once

namespace shell {

// The main program from process start to end: single instance, splash, main window,
// data module, message loop. Returns 0 in every case.
int runPellion(int &argc, char **argv);

} // namespace shell

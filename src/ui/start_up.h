#pragma once

class QApplication;

namespace modPub {

// The program's start: fixes AppPath beside the executable, loads the compound-surname table,
// sets the offsets, shows the window (its load event fills the lists and draws) and runs until
// the window is closed.
int Main(QApplication& application);

}  // namespace modPub

#pragma once

namespace qv {

class MainWindow;

// Change Regulatory Environment: the environment form alone, filled from the game directory's
// environment records, shown until all sixteen fields pass their checks or the instructor
// abandons the changes; accepted changes are written back. Sets `ProceedOk`: -1 when the
// changes were accepted, else 0.
void ChangeEnv(MainWindow& window);

}  // namespace qv

#pragma once
// The calculator dialog: built for each run, shown modally over the program's other windows and
// destroyed when it closes. All calculating is the engine's; the dialog forwards keys and clicks.
#include <windows.h>

#include "calculator/calculator.h"

namespace tikora {

// Runs the dialog for the component; true when it was closed with OK. While a run is open a
// second call only brings the open dialog to the front and returns false.
bool RunCalculator(Calculator& calculator);

}  // namespace tikora

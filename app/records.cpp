// C++ orders static constructions only within one translation unit, so the
// seven records are defined here together, in the order they must be made.
#include "app/records.h"

RecolourEngine recolourEngine;
PositionBar redBar;
PositionBar greenBar;
PositionBar blueBar;
PositionBar brightnessBar;
PickControl pickColorControl;
PickControl pickWindowControl;

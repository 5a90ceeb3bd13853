// The program's static records, constructed before WinMain in this order:
// the Recolour engine, the red, green, blue and brightness bars, then the
// pick-colour and pick-window eyedroppers; destroyed in the reverse order.
#pragma once
#include "controls/pick_control.h"
#include "controls/position_bar.h"
#include "recolour/engine.h"

extern RecolourEngine recolourEngine;
extern PositionBar redBar, greenBar, blueBar, brightnessBar;
extern PickControl pickColorControl, pickWindowControl;

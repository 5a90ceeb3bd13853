// Resource identifiers shared by the resource script and the code.
// A classic include guard, not #pragma once: the resource compilers read this too.
#ifndef TINTWELL_RES_RESOURCE_H
#define TINTWELL_RES_RESOURCE_H

#define IDI_APP 131 // the program's icon: the main window's class icon

#endif

#include "platform/instance.h"

static HINSTANCE instanceHandle;

void SetInstanceHandle(HINSTANCE instance) {
    instanceHandle = instance;
}

HINSTANCE InstanceHandle() {
    return instanceHandle;
}

// What a screen reader learns of our controls through Active Accessibility.
// A control answers WM_GETOBJECT for its client area with a small IAccessible
// of its own, which reads the control at the moment of each call; what the
// control does not say itself comes from the system's standard object, whose
// other interfaces (IOleWindow, IEnumVARIANT) it answers as its own. Once
// the control's window is gone, the object answers every call with
// RPC_E_DISCONNECTED. oleacc and the COM libraries are loaded at the first
// request, so a session without a screen reader never loads them.
#pragma once
#include <windows.h>
#include <oleacc.h> // the roles

// What a control says of itself; every function takes its window.
struct AccessibleFacts {
    const char* name;                  // null: the standard object's
    const char* description;           // null: none; read at each call
    const char* defaultAction;         // null: none
    long role;                         // 0: the standard object's
    bool (*value)(HWND, char (&)[16]); // null or false: the standard object's
    // Posted to the window by the default action, which must not act inside
    // the screen reader's call; 0: none.
    UINT defaultActionMessage;
    bool (*pressed)(HWND); // null: never pressed
    // Focusable while enabled, focused when it has the focus, and offscreen
    // while its window is minimised, added to the standard object's states.
    bool ownState;
};

// The answer to WM_GETOBJECT: our object for OBJID_CLIENT; 0, for the
// default processing, for any other or when it cannot be made.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts);

// The window is being destroyed: every object made for it stops answering.
void DisconnectAccessibleObjects(HWND window);

// Names a standard control for screen readers and UI Automation through the
// system's Dynamic Annotation, the control's own object left as it is.
// False where the system does not do it (Wine: E_NOTIMPL); the caller then
// answers WM_GETOBJECT itself with the name.
bool AnnotateName(HWND window, const wchar_t* name);

// Tells screen readers that the value or the state changed. (The focus they
// hear of from the system itself, Wine too.)
void NotifyValueChange(HWND window);
void NotifyStateChange(HWND window);

// Ends COM at exit, where the first request started it.
void ReleaseAccessibility();

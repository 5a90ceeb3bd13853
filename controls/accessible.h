// What a screen reader learns of our controls through Active Accessibility.
// A control answers WM_GETOBJECT for its client area with a small IAccessible
// of its own, which reads the control at the moment of each call; what the
// control does not say itself comes from the system's standard object. oleacc
// and the COM libraries are loaded at the first request, so a session
// without a screen reader never loads them.
#pragma once
#include <windows.h>
#include <oleacc.h> // the roles

// What a control says of itself; every function takes its window.
struct AccessibleFacts {
    const char* name;                  // null: the standard object's
    const char* description;           // null: none
    const char* defaultAction;         // null: none
    long role;                         // 0: the standard object's
    bool (*value)(HWND, char (&)[16]); // null or false: the standard object's
    void (*doDefaultAction)(HWND);     // null: none
    bool ownState;                     // focusable, and focused when it has the focus
};

// The answer to WM_GETOBJECT: our object for OBJID_CLIENT; 0, for the
// default processing, for any other or when it cannot be made.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts);

// Tells screen readers that the value changed, or that the control took the
// focus.
void NotifyValueChange(HWND window);
void NotifyFocus(HWND window);

// Ends COM at exit, where the first request started it.
void ReleaseAccessibility();

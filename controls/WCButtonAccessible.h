#pragma once

// Lets screen readers and desktop automation see the owner-drawn button as a
// push button named by its caption, which they can press.
void InstallWCButtonAccessibility();

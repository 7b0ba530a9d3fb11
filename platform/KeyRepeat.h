#pragma once

// A key held down on an X server normally arrives as pairs of release and
// press events, and Qt guesses which releases are repeats by looking for the
// matching press already waiting in the queue. When the program is slow to
// read its events the guess fails, and a button acting on the release of
// Enter would fire once per repeat. This asks the X server to send a held key
// as repeated presses with one release at the end, so every release is a real
// one. Does nothing on other platforms; returns whether the server agreed.
bool UseDetectableKeyRepeat();

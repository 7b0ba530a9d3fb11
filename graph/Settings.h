#pragma once

#include <cstdint>

// The view settings that the main window, the preferences dialog and the
// graph window hand to each other. The graph window copies them into its own
// view state whenever it initialises; zooming and moving never write back.
struct ViewSettings {
    double dScaleX;           // half-width of the visible x range
    double dScaleY;           // half-height of the visible y range
    double dOriginX;          // world x at the centre of the view
    double dOriginY;          // world y at the centre of the view
    std::int16_t iDivisionsX; // tick divisions on each side of the centre
    std::int16_t iDivisionsY;
    bool bGrids;                    // grid lines in rectangular mode
    std::int16_t iPolarSensitivity; // polar angle step is dScaleX / iPolarSensitivity
    bool bAnimate;                  // one-shot: draw the next first plot progressively
    bool bOptimize;                 // normalise expressions before they enter the list
};

// The defaults: x and y from -10 to 10, five divisions per half-axis, no
// grid, polar sensitivity 100, progressive first plot and normalisation on.
inline constexpr ViewSettings kDefaultViewSettings{.dScaleX = 10.0,
                                                   .dScaleY = 10.0,
                                                   .dOriginX = 0.0,
                                                   .dOriginY = 0.0,
                                                   .iDivisionsX = 5,
                                                   .iDivisionsY = 5,
                                                   .bGrids = false,
                                                   .iPolarSensitivity = 100,
                                                   .bAnimate = true,
                                                   .bOptimize = true};

// The one record of the process; all zeros until SetDefaultSettings runs.
extern ViewSettings gViewSettings;

// Writes every field of gViewSettings its default.
void SetDefaultSettings();

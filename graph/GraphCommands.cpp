#include "GraphCommands.h"

#include <array>

namespace {

using enum GraphCommand;

constexpr std::array kMenuItems{
    MenuItemEntry{"mnuGraph", "&Graph", "mnuSave", "&Save", "Ctrl+S", Save},
    MenuItemEntry{"mnuGraph", "&Graph", "mnuCopy", "&CopyToClipboard", "Ctrl+C", CopyToClipboard},
    MenuItemEntry{"mnuGraph", "&Graph", "mnuPrint", "&Print", "Ctrl+P", PrintGraph},
    MenuItemEntry{"mnuGraph", "&Graph", "mnuClose", "&Close", "", Close},
    MenuItemEntry{"mnuView", "&View", "mnuZoomIn", "Zoom &In", "", ZoomIn},
    MenuItemEntry{"mnuView", "&View", "mnuZoomOut", "Zoom &Out", "", ZoomOut},
    MenuItemEntry{"mnuView", "&View", "mnuZoomInX", "ZoomIn (X-axis)", "", ZoomInX},
    MenuItemEntry{"mnuView", "&View", "mnuZoomOutX", "ZoomOut (X-axis)", "", ZoomOutX},
    MenuItemEntry{"mnuView", "&View", "mnuZoomInY", "ZoomIn (Y-axis)", "", ZoomInY},
    MenuItemEntry{"mnuView", "&View", "mnuZoomOutY", "ZoomOut (Y-axis)", "", ZoomOutY},
    MenuItemEntry{"mnuView", "&View", "mnuGrids", "&Grids On/Off", "", ToggleGrid},
    MenuItemEntry{"mnuView", "&View", "mnuDefaultScale", "&Default Scale", "", DefaultScale},
    MenuItemEntry{"mnuView", "&View", "mnuUndoView", "Undo View", "Ctrl+Z", UndoView},
    MenuItemEntry{"mnuView", "&View", "mnuRedoView", "Redo View", "Ctrl+Shift+Z; Ctrl+Y", RedoView},
    MenuItemEntry{"mnuMove", "&Move", "mnuLeft", "&Left", "", MoveLeft},
    MenuItemEntry{"mnuMove", "&Move", "mnuRight", "&Right", "", MoveRight},
    MenuItemEntry{"mnuMove", "&Move", "mnuUp", "&Up", "", MoveUp},
    MenuItemEntry{"mnuMove", "&Move", "mnuDown", "&Down", "", MoveDown},
    MenuItemEntry{"mnuMove", "&Move", "mnuOrigin", "&Origin", "", ViewOrigin},
    MenuItemEntry{"mnuMode", "M&ode", "mnuRectangularMode", "&Rectangular Mode", "", RectangularMode},
    MenuItemEntry{"mnuMode", "M&ode", "mnuPolarMode", "&Polar Mode", "", PolarMode},
    MenuItemEntry{"mnuTools", "Tools", "mnuRedraw", "&Redraw curves", "", Redraw},
    MenuItemEntry{"mnuTools", "Tools", "mnuRangeSelector", "Range &Selector", "", RangeSelector},
    MenuItemEntry{"mnuTools", "Tools", "mnuCompareExpressions", "&Compare & Expressions", "", CompareExpressions},
    MenuItemEntry{"mnuTools", "Tools", "mnuIncreasePolarSensitivity", "&Increase Polar Sensitivity", "",
                  IncreasePolarSensitivity},
    MenuItemEntry{"mnuTools", "Tools", "mnuDecreasePolarSensitivity", "&DecreasePolarSensitivity", "",
                  DecreasePolarSensitivity},
    MenuItemEntry{"mnuTools", "Tools", "mnuTableOfValues", "Table of &Values...", "", TableOfValues},
    MenuItemEntry{"mnuHelp", "&Help", "mnuShowHelp", "H&elp", "F1", ShowHelp},
    MenuItemEntry{"mnuHelp", "&Help", "mnuAbout", "&About", "", About},
};

constexpr std::array kToolbarButtons{
    ToolbarButtonEntry{"CopyToClipboard", "Copy to clipboard", CopyToClipboard},
    ToolbarButtonEntry{"Save", "Save", Save},
    ToolbarButtonEntry{"PrintGraph", "Print using default printer", PrintGraph},
    ToolbarButtonEntry{"ZoomIn", "Zoom In", ZoomIn},
    ToolbarButtonEntry{"ZoomOut", "Zoom Out", ZoomOut},
    ToolbarButtonEntry{"ZoomIn (X-axis)", "Zoom In (X-axis)", ZoomInX},
    ToolbarButtonEntry{"ZoomOut (X-axis)", "Zoom Out (X-axis)", ZoomOutX},
    ToolbarButtonEntry{"ZoomIn (Y-axis)", "Zoom In (Y-axis)", ZoomInY},
    ToolbarButtonEntry{"ZoomOut (Y-axis)", "Zoom Out (Y-axis)", ZoomOutY},
    ToolbarButtonEntry{"Origin", "Return to origin", ViewOrigin},
    ToolbarButtonEntry{"Default Scale", "Default Scale", DefaultScale},
    ToolbarButtonEntry{"Rectangular Mode", "Rectangular Mode", RectangularMode},
    ToolbarButtonEntry{"Polar Mode", "Polar Mode", PolarMode},
    ToolbarButtonEntry{"Increase Polar Sensitivity", "Increase Polar Sensitivity", IncreasePolarSensitivity},
    ToolbarButtonEntry{"Decrease Polar Sensitivity", "Decrease Polar Sensitivity", DecreasePolarSensitivity},
    ToolbarButtonEntry{"Grids On/Off", "Grids On/Off", ToggleGrid},
    ToolbarButtonEntry{"Redraw curves", "Redraw curves", Redraw},
    ToolbarButtonEntry{"Range Selector", "Range Selector", RangeSelector},
    ToolbarButtonEntry{"CompareExpressions", "Compare expressions", CompareExpressions},
};

struct KeyEntry {
    int iKey;
    GraphCommand command;
};

constexpr std::array kKeys{
    KeyEntry{Qt::Key_Right, MoveRight},    KeyEntry{Qt::Key_Left, MoveLeft},
    KeyEntry{Qt::Key_Up, MoveUp},          KeyEntry{Qt::Key_Down, MoveDown},
    KeyEntry{Qt::Key_PageUp, ZoomInX},     KeyEntry{Qt::Key_PageDown, ZoomOutX},
    KeyEntry{Qt::Key_Home, ZoomInY},       KeyEntry{Qt::Key_End, ZoomOutY},
    KeyEntry{Qt::Key_F5, Redraw},          KeyEntry{Qt::Key_Escape, Close},
};

} // namespace

std::span<const MenuItemEntry> MenuItems()
{
    return kMenuItems;
}

std::span<const ToolbarButtonEntry> ToolbarButtons()
{
    return kToolbarButtons;
}

std::optional<GraphCommand> ToolbarCommand(const QString& strKey)
{
    for (const ToolbarButtonEntry& button : kToolbarButtons)
        if (strKey == QLatin1String(button.pszKey))
            return button.command;
    return std::nullopt;
}

std::optional<GraphCommand> KeyCommand(int iKey, Qt::KeyboardModifiers modifiers)
{
    // The numeric keypad's + and - zoom; the main keyboard's only with Ctrl.
    if (modifiers.testFlag(Qt::KeypadModifier) || modifiers.testFlag(Qt::ControlModifier)) {
        if (iKey == Qt::Key_Plus || (iKey == Qt::Key_Equal && !modifiers.testFlag(Qt::KeypadModifier)))
            return ZoomIn;
        if (iKey == Qt::Key_Minus)
            return ZoomOut;
    }
    for (const KeyEntry& entry : kKeys)
        if (iKey == entry.iKey)
            return entry.command;
    return std::nullopt;
}

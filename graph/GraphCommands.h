#pragma once

#include <QString>
#include <Qt>

#include <optional>
#include <span>

// The graph window's commands and the channels that reach them: the menu
// bar, the toolbar (dispatched by each button's key) and the keyboard while
// the picture has the focus.
enum class GraphCommand {
    Save,
    CopyToClipboard,
    PrintGraph,
    Close,
    ZoomIn,
    ZoomOut,
    ZoomInX,
    ZoomOutX,
    ZoomInY,
    ZoomOutY,
    ToggleGrid,
    DefaultScale,
    MoveLeft,
    MoveRight,
    MoveUp,
    MoveDown,
    ViewOrigin,
    RectangularMode,
    PolarMode,
    Redraw,
    RangeSelector,
    CompareExpressions,
    IncreasePolarSensitivity,
    DecreasePolarSensitivity,
    ShowHelp,
    About,
    UndoView,
    RedoView,
    TableOfValues,
};

// One item of the menu bar, in menu order; the item's menu comes with it.
struct MenuItemEntry {
    const char* pszMenuName;
    const char* pszMenuCaption;
    const char* pszName;
    const char* pszCaption;
    // Portable text of the key sequences, "; " between them, or empty.
    const char* pszShortcut;
    GraphCommand command;
};

std::span<const MenuItemEntry> MenuItems();

// One toolbar button, in toolbar order.
struct ToolbarButtonEntry {
    const char* pszKey;
    const char* pszTooltip;
    GraphCommand command;
};

std::span<const ToolbarButtonEntry> ToolbarButtons();

// The command of a toolbar button's key (compared exactly); none for an
// unknown key.
std::optional<GraphCommand> ToolbarCommand(const QString& strKey);

// The command of a key pressed on the picture. Shift, Ctrl and Alt do not
// matter; the numeric keypad's + and - are told from the main keyboard's,
// which zoom only with Ctrl (as does Ctrl and =).
std::optional<GraphCommand> KeyCommand(int iKey, Qt::KeyboardModifiers modifiers);

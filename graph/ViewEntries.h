#pragma once

#include "Settings.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <variant>

// The stored view as the user writes it: a start and an end for each axis,
// the division counts and the polar sensitivity, each a text that is read
// and checked before anything is stored. The preferences dialog and the
// command line both go through here, so they take the same texts and refuse
// them with the same messages.

enum class ViewBox { StartX, EndX, DivisionsX, StartY, EndY, DivisionsY, PolarSensitivity };
inline constexpr int kViewBoxCount = 7;
using ViewTexts = std::array<QString, kViewBoxCount>;

// A box's label ("Start"), its axis' caption ("X-axis"; empty for the polar
// sensitivity) and its name in messages ("X-axis Start").
QString ViewBoxLabel(ViewBox box);
QString ViewAxisCaption(ViewBox box);
QString ViewBoxName(ViewBox box);

// The texts the boxes show for stored settings.
ViewTexts ViewTextsOf(const ViewSettings& settings);

// Why the texts were refused, and the box to put the user back into, if
// the fault lies in one box.
struct ViewRefusal {
    QString strMessage;
    std::optional<ViewBox> box;
};

// The settings the texts and the grid switch make of base: its ranges,
// counts, sensitivity and grid replaced, everything else kept.
std::variant<ViewSettings, ViewRefusal> ReadViewEntries(const ViewTexts& texts, bool bGrids, const ViewSettings& base,
                                                        const QLocale& locale = QLocale());

// Whether a range from dStart to dEnd is one the view can draw: finite, and
// neither too narrow for its place nor too wide.
bool DrawableRange(double dStart, double dEnd);

// The note for a sensitivity that is accepted but slow to draw, or nothing.
std::optional<QString> SensitivityNote(const ViewSettings& settings);

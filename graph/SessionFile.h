#pragma once

#include "Settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>

// A session: the user's work as a file of its own, to open again, pass on
// or draw from a script. It holds the expression list as listed, the stored
// view (ranges, divisions, polar sensitivity, grid), the graph mode and the
// normalisation switch, as UTF-8 JSON that a person can read:
//
//   {
//       "format": "velmora-session",
//       "version": 1,
//       "expressions": ["sin (x)", "x^2"],
//       "mode": "rectangular",
//       "optimize": true,
//       "view": {
//           "grid": false,
//           "polarSensitivity": 100,
//           "x": {"centre": 0, "divisions": 5, "halfRange": 10},
//           "y": {"centre": 0, "divisions": 5, "halfRange": 10}
//       }
//   }
//
// A reader takes every version up to its own and refuses later ones; names
// it does not know are passed over, and a name left out takes its default.

inline constexpr int kSessionVersion = 1;
inline constexpr const char* kSessionExtension = "velmora";
// Larger files are refused unread.
inline constexpr qint64 kMaxSessionBytes = 16 * 1024 * 1024;

struct Session {
    QStringList entries;
    // The stored view and the normalisation switch (bOptimize); bAnimate is
    // not kept.
    ViewSettings view = kDefaultViewSettings;
    bool bPolar = false;

    friend bool operator==(const Session& a, const Session& b);
};

// The session as the file holds it.
QByteArray SessionJson(const Session& session);

// The session a file's bytes hold, or why they hold none, as the end of a
// sentence ("it is not a Velmora session").
std::variant<Session, QString> ReadSession(const QByteArray& bytes);

// The session in a file, or the message that refuses it, naming the file.
std::variant<Session, QString> OpenSessionFile(const QString& strFile);

// Writes the session whole or not at all; false with the message that says
// why when it could not.
bool SaveSessionFile(const QString& strFile, const Session& session, QString* pstrMessage);

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes bytes to a file whole or not at all.
//
// A regular file, new or replacing one (through a symbolic link too, which
// stays a link), is written to a temporary file beside it with every count
// checked, flushed to the disk, and renamed over the name only once all of
// it is there: a failure leaves no partial file and an existing file as it
// was. A file that is replaced keeps its permissions.
//
// A FIFO or a character device (a pipe that a reader waits on, a terminal,
// /dev/null) is written into directly, since replacing it would cut the
// reader off; any other kind of file (a folder, a socket) is refused. A FIFO
// that no program reads from is refused at once, unless WaitForFifoReaders
// said to wait for one.
//
// False when anything failed; the reason, in the operating system's words
// ("No space left on device"), then goes to pstrError.
bool WriteWholeFile(const QString& strPath, const QByteArray& bytes, QString* pstrError = nullptr);

// The same, with the bytes made first by write on a device in memory; write
// says whether it succeeded.
bool WriteWholeFile(const QString& strPath, const std::function<bool(QIODevice&)>& write, QString* pstrError = nullptr);

// Whether a write into a FIFO that no program reads from yet waits until one
// opens it, as a command in a script's pipeline does, or fails at once, as a
// window must (it would hang otherwise). At first it fails at once.
void WaitForFifoReaders(bool bWait);

#include "WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(QString* pstrError, const QString& strReason)
{
    if (pstrError)
        *pstrError = strReason;
    return false;
}

bool FailWith(QString* pstrError, int iError)
{
    return Fail(pstrError, QString::fromLocal8Bit(std::strerror(iError)));
}

// Writes all the bytes, going on after a short count or an interruption.
// False with the error number when a write fails.
bool WriteAll(int fd, const QByteArray& bytes, int& iError)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, p, static_cast<std::size_t>(std::min<qsizetype>(left, 1 << 20)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            iError = written < 0 ? errno : ENOSPC;
            return false;
        }
        p += written;
        left -= written;
    }
    return true;
}

bool g_bWaitForFifoReaders = false;

// A pipe or a device: written into as it is. Opened without waiting, so that
// a FIFO without a reader is found at once; the writes then wait as usual.
bool WriteInto(const QByteArray& name, const QByteArray& bytes, QString* pstrError)
{
    int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENXIO && g_bWaitForFifoReaders)
        fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENXIO)
        return Fail(pstrError, QStringLiteral("no program is reading from it"));
    if (fd < 0)
        return FailWith(pstrError, errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    int iError = 0;
    const bool bWritten = WriteAll(fd, bytes, iError);
    if (::close(fd) != 0 && bWritten)
        iError = errno;
    return iError == 0 || FailWith(pstrError, iError);
}

// A new file beside the target, which no one else has opened: its name
// starts with a point and ends in a random part.
int CreateTemporary(const QString& strTarget, QByteArray& name)
{
    const QFileInfo target(strTarget);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString strName = QStringLiteral("%1/.%2.%3.tmp")
                                    .arg(target.absolutePath(), target.fileName())
                                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        name = QFile::encodeName(strName);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes a finished rename last: the folder's entry is flushed too.
void SyncFolder(const QString& strTarget)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(strTarget).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteWholeFile(const QString& strPath, const QByteArray& bytes, QString* pstrError)
{
    struct stat st {};
    const bool bExists = ::stat(QFile::encodeName(strPath).constData(), &st) == 0;
    if (!bExists && errno != ENOENT)
        return FailWith(pstrError, errno);
    if (bExists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)))
        return WriteInto(QFile::encodeName(strPath), bytes, pstrError);
    if (bExists && S_ISDIR(st.st_mode))
        return FailWith(pstrError, EISDIR);
    if (bExists && !S_ISREG(st.st_mode))
        return Fail(pstrError, QStringLiteral("it is not a regular file"));

    // A symbolic link stays one: the file it leads to takes the new bytes.
    const QFileInfo info(strPath);
    const QString strTarget = bExists ? info.canonicalFilePath() : info.isSymLink() ? info.symLinkTarget() : strPath;

    QByteArray temporary;
    const int fd = CreateTemporary(strTarget, temporary);
    if (fd < 0)
        return FailWith(pstrError, errno);
    if (bExists)
        ::fchmod(fd, st.st_mode & 07777);
    int iError = 0;
    if (!WriteAll(fd, bytes, iError) || ::fsync(fd) != 0) {
        if (iError == 0)
            iError = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        return FailWith(pstrError, iError);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), QFile::encodeName(strTarget).constData()) != 0) {
        iError = errno;
        ::unlink(temporary.constData());
        return FailWith(pstrError, iError);
    }
    SyncFolder(strTarget);
    return true;
}

bool WriteWholeFile(const QString& strPath, const std::function<bool(QIODevice&)>& write, QString* pstrError)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return Fail(pstrError, QStringLiteral("the picture could not be encoded"));
    buffer.close();
    return WriteWholeFile(strPath, bytes, pstrError);
}

void WaitForFifoReaders(bool bWait)
{
    g_bWaitForFifoReaders = bWait;
}

#include "core/U_TextFile.h"

#include "core/U_FileReason.h"
#include "core/U_TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {
constexpr mode_t kPrivateFile = 0600;
constexpr mode_t kPrivateFolder = 0700;
// What names a temporary of the program: "." + the file's name + this + six characters.
const QString kTemporaryMark = QStringLiteral(".tarvelle-tmp-");
constexpr int kTemporarySuffix = 6;

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool FailWith(QString* error, int errnum)
{
    return Fail(error, FileReason(errnum));
}

// A write refused for lack of rights: the reason says whose, the file's or its folder's.
QString WriteReason(int errnum, const QString& path)
{
    return errnum == EACCES || errnum == EPERM ? AccessReason(path) : FileReason(errnum);
}

int NoFile(QString* error, const QString& text)
{
    Fail(error, text);
    return -1;
}

int CloseFailing(int fd)
{
    const int why = errno;
    ::close(fd);
    errno = why;
    return -1;
}

// A file made by the program starts with the user's rights alone; the umask may take away
// bits, never add them, but a file made unwritable would not be one the program can write.
int OpenPrivate(const QByteArray& name, int flags)
{
    const int fd = ::open(name.constData(), flags | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
    if (fd >= 0 && ::fchmod(fd, kPrivateFile) != 0)
        return CloseFailing(fd);
    return fd;
}

// Opens `path` only when it is a regular file. The check comes first, so that no device is
// ever opened; O_NONBLOCK keeps a FIFO put in its place meanwhile from blocking the open, and
// fstat then sees what was really opened. -1 with `error` set on failure.
int OpenRegular(const QString& path, int flags, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return NoFile(error, kNotRegularFile);
    int fd = (flags & O_CREAT) ? OpenPrivate(name, flags | O_NONBLOCK) : -1;
    // An existing file, or a link to one still to be made.
    if (fd < 0 && (!(flags & O_CREAT) || errno == EEXIST))
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, kPrivateFile);
    if (fd < 0)
        return NoFile(error, (flags & O_ACCMODE) == O_RDONLY ? FileReason(errno)
                                                             : WriteReason(errno, path));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return NoFile(error, kNotRegularFile);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    auto left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written == 0 ? ENOSPC : errno;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, QByteArray& bytes)
{
    struct stat info = {};
    const qsizetype expected = ::fstat(fd, &info) == 0 ? static_cast<qsizetype>(info.st_size) : 0;
    bytes.resize(expected + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(got * 2);
        const ssize_t read =
            ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return false;
        if (read == 0)
            break;
        got += read;
    }
    bytes.truncate(got);
    return true;
}
} // namespace

bool ReadBytes(const QString& path, QByteArray& bytes, QString* error)
{
    const int fd = OpenRegular(path, O_RDONLY, error);
    if (fd < 0)
        return false;
    const bool read = ReadAll(fd, bytes);
    const int why = errno;
    ::close(fd);
    return read || FailWith(error, why);
}

namespace {
// Root passes every permission check: for it the mode's write bits decide.
bool Writable(const QByteArray& name, const struct stat& info)
{
    return ::geteuid() == 0 ? (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
                            : ::access(name.constData(), W_OK) == 0;
}

// What is there already must be a regular file that may be written.
bool MayReplace(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0)
        return true; // nothing there yet, or the write says why not
    if (!S_ISREG(info.st_mode))
        return Fail(error, kNotRegularFile);
    return Writable(name, info) || Fail(error, kReadOnlyFile);
}

// The same rule for the folder where a file is made, renamed or removed.
bool MayChangeFolder(const QString& folder, QString* error)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0 || Writable(name, info))
        return true; // a missing folder fails with its own reason
    return Fail(error, kReadOnlyFolder);
}

// The file a chain of links ends at, made or not: a replace writes there and keeps the links.
QString LinkedFile(const QString& path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 40 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.filePath();
}

QString TemporaryName(const QString& fileName)
{
    static const QString digits =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString name = u'.' + fileName + kTemporaryMark;
    for (int i = 0; i < kTemporarySuffix; ++i)
        name += digits.at(static_cast<int>(QRandomGenerator::global()->bounded(digits.size())));
    return name;
}

// A new private file beside `target` named as the program's temporaries are; -1 on failure.
int CreateTemporary(const QString& target, QString& temporary, QString* error)
{
    const QFileInfo file(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = file.dir().filePath(TemporaryName(file.fileName()));
        const int fd = OpenPrivate(QFile::encodeName(temporary), O_WRONLY);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            return NoFile(error, WriteReason(errno, temporary));
    }
    return NoFile(error, FileReason(EEXIST));
}

// Writes `bytes` into the temporary open on `fd`, syncs it to disk, gives it `mode` and
// renames it over `target`: rename(2) puts the new file in place in one step, so that there is
// no moment without a whole file. The temporary is gone whatever happens.
bool WriteOver(int fd, const QString& temporary, const QString& target, const QByteArray& bytes,
               mode_t mode, QString* error)
{
    const QByteArray temporaryName = QFile::encodeName(temporary);
    bool done = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int why = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        why = errno;
    }
    if (done && ::rename(temporaryName.constData(), QFile::encodeName(target).constData()) != 0) {
        done = false;
        why = errno;
    }
    if (!done)
        ::unlink(temporaryName.constData());
    return done || FailWith(error, why);
}

// The mode of the file being replaced, so that one the user opened stays open; else private.
mode_t ModeFor(const QString& target)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(target).constData(), &info) == 0 ? info.st_mode & 07777
                                                                     : kPrivateFile;
}

bool ReplaceWith(const QString& path, const QByteArray& bytes, const QString& temporaryName,
                 QString* error)
{
    if (!MayReplace(path, error))
        return false;
    const QString target = LinkedFile(path);
    const QFileInfo file(target);
    if (!MayChangeFolder(file.path(), error))
        return false;
    QString temporary = file.dir().filePath(temporaryName);
    int fd = -1;
    if (temporaryName.isEmpty()) {
        fd = CreateTemporary(target, temporary, error);
    } else {
        // A named temporary left by a killed copy is the program's own: made anew.
        ::unlink(QFile::encodeName(temporary).constData());
        fd = OpenPrivate(QFile::encodeName(temporary), O_WRONLY);
        if (fd < 0)
            Fail(error, WriteReason(errno, temporary));
    }
    return fd >= 0 && WriteOver(fd, temporary, target, bytes, ModeFor(target), error);
}

bool IsLeftoverOf(const QString& entry, const QString& name)
{
    const QString start = u'.' + name + kTemporaryMark;
    if (entry.size() != start.size() + kTemporarySuffix || !entry.startsWith(start))
        return false;
    for (const QChar c : QStringView(entry).right(kTemporarySuffix))
        if (!(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z') && !(c >= u'0' && c <= u'9'))
            return false;
    return true;
}

void RemoveLeftoversBeside(const QFileInfo& file)
{
    const QDir folder = file.dir();
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& entry : entries)
        if (IsLeftoverOf(entry, file.fileName()))
            QFile::remove(folder.filePath(entry));
}
} // namespace

bool ReplaceBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    return ReplaceWith(path, bytes, QString(), error);
}

bool Read(const QString& path, QString& text, QString* error)
{
    QByteArray bytes;
    if (!ReadBytes(path, bytes, error))
        return false;
    text = TextCodec::Decode(bytes);
    return true;
}

bool ReadLines(const QString& path, QStringList& lines, QString* error)
{
    QString text;
    if (!Read(path, text, error))
        return false;
    lines = TextCodec::SplitLines(text);
    return true;
}

bool Replace(const QString& path, const QString& text, QString* error)
{
    return ReplaceBytes(path, TextCodec::Encode(text), error);
}

bool ReplaceLines(const QString& path, const QStringList& lines, QString* error)
{
    return Replace(path, TextCodec::JoinLines(lines), error);
}

bool AppendLines(const QString& path, const QStringList& lines, QString* error)
{
    if (!MayReplace(path, error))
        return false;
    QByteArray existing;
    if (QFileInfo::exists(path) && !ReadBytes(path, existing, error))
        return false;
    // A UTF-16 file is rewritten whole, in the program's own encoding.
    const bool utf16 = TextCodec::HasUtf16Mark(existing);
    if (utf16)
        existing = TextCodec::Encode(TextCodec::Decode(existing));
    const bool unended =
        !existing.isEmpty() && !existing.endsWith('\n') && !existing.endsWith('\r');
    const QString text =
        (unended ? QStringLiteral("\r\n") : QString()) + TextCodec::JoinLines(lines);
    const bool fileIsUtf8 = TextCodec::Detect(existing) == TextCodec::TEncoding::Utf8;
    const bool textFits = TextCodec::FitsWindows1252(text);
    // One file never mixes the two encodings: a Windows-1252 file that must now hold a
    // character it cannot is rewritten whole in UTF-8.
    if (utf16 || (!fileIsUtf8 && !textFits && !TextCodec::IsAscii(existing)))
        return Replace(path, TextCodec::Decode(existing) + text, error);
    const QByteArray bytes =
        fileIsUtf8 || !textFits ? text.toUtf8() : TextCodec::EncodeWindows1252(text);
    const int fd = OpenRegular(path, O_WRONLY | O_APPEND | O_CREAT, error);
    if (fd < 0)
        return false;
    // Either all the bytes are added or the file is cut back to its old size: a write cut
    // short (disk full, size limit) leaves no half line behind.
    struct stat before = {};
    const bool sized = ::fstat(fd, &before) == 0;
    const bool written = sized && WriteAll(fd, bytes);
    const int why = errno;
    if (sized && !written)
        static_cast<void>(::ftruncate(fd, before.st_size));
    ::close(fd);
    return written || FailWith(error, why);
}

bool ReplaceThrough(const QString& path, const QString& temporaryName, const QString& text,
                    QString* error)
{
    return ReplaceWith(path, TextCodec::Encode(text), temporaryName, error);
}

bool Remove(const QString& path, QString* error)
{
    if (!MayReplace(path, error) || !MayChangeFolder(QFileInfo(path).path(), error))
        return false;
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return Fail(error, errno == EACCES || errno == EPERM ? kReadOnlyFolder : FileReason(errno));
    return true;
}

bool Copy(const QString& from, const QString& to, QString* error)
{
    QByteArray bytes;
    return ReadBytes(from, bytes, error) && ReplaceBytes(to, bytes, error);
}

void RemoveLeftovers(const QStringList& paths)
{
    for (const QString& path : paths) {
        const QFileInfo file(path);
        RemoveLeftoversBeside(file);
        if (file.isSymLink())
            RemoveLeftoversBeside(QFileInfo(LinkedFile(path)));
    }
}

QString MakeTemporary(const QString& path, QString* error)
{
    QString temporary;
    const int fd = CreateTemporary(LinkedFile(path), temporary, error);
    if (fd < 0)
        return QString();
    ::close(fd);
    return temporary;
}

bool MakeFolder(const QString& path, QString* error)
{
    QStringList missing;
    for (QFileInfo folder(QDir(path).absolutePath()); !folder.exists() && !folder.isRoot();
         folder.setFile(folder.path()))
        missing.prepend(folder.absoluteFilePath());
    for (const QString& folder : missing) {
        const QByteArray name = QFile::encodeName(folder);
        if (::mkdir(name.constData(), kPrivateFolder) == 0)
            ::chmod(name.constData(), kPrivateFolder); // the umask may have taken bits away
        else if (errno != EEXIST)
            return Fail(error, WriteReason(errno, folder));
    }
    return QFileInfo(path).isDir() || Fail(error, FileReason(ENOTDIR));
}

} // namespace TextFile

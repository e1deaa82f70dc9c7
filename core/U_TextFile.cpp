#include "core/U_TextFile.h"

#include "core/U_TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {
bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString NotRegular(const QString& path)
{
    return path + QStringLiteral(" n'est pas un fichier ordinaire");
}

// Opens `path` on `file` only when it is a regular file. The check comes first, so that no
// device is ever opened; O_NONBLOCK keeps a FIFO put in its place meanwhile from blocking the
// open, and fstat then sees what was really opened.
bool OpenRegular(QFile& file, const QString& path, int flags, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return Fail(error, NotRegular(path));
    const int fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(error, qt_error_string(errno));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Fail(error, NotRegular(path));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const auto mode = (flags & O_ACCMODE) == O_RDONLY ? QIODevice::ReadOnly
                                                      : QIODevice::WriteOnly | QIODevice::Append;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fail(error, file.errorString());
    }
    return true;
}
} // namespace

bool ReadBytes(const QString& path, QByteArray& bytes, QString* error)
{
    QFile file;
    if (!OpenRegular(file, path, O_RDONLY, error))
        return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(error, file.errorString());
    return true;
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
        return true; // nothing there yet, or QSaveFile says why not
    if (!S_ISREG(info.st_mode))
        return Fail(error, NotRegular(path));
    return Writable(name, info) || Fail(error, path + QStringLiteral(" est en lecture seule"));
}

// The same rule for the folder where a file is made, renamed or removed.
bool MayChangeFolder(const QString& folder, QString* error)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0 || Writable(name, info))
        return true; // a missing folder fails with its own reason
    return Fail(error, folder + QStringLiteral(" est en lecture seule"));
}
} // namespace

// QSaveFile writes beside the file a link points to and keeps the link; it gives the new file
// the old one's permissions.
bool ReplaceBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    if (!MayReplace(path, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Fail(error, why);
    }
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}

namespace {
// QSaveFile's temporary: the file's name, a dot and six random letters. A user's own copy
// such as "Tarvelle.txt.backup" has the same shape, so only a mix of both cases counts: one
// temporary in 32 stays behind, but no word a user would type is ever taken for one.
bool IsLeftoverOf(const QString& entry, const QString& name)
{
    if (entry.size() != name.size() + 7 || !entry.startsWith(name + u'.'))
        return false;
    bool lower = false, upper = false;
    for (const QChar c : QStringView(entry).right(6)) {
        lower = lower || (c >= u'a' && c <= u'z');
        upper = upper || (c >= u'A' && c <= u'Z');
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return lower && upper;
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

namespace {
bool WriteAll(int fd, const QByteArray& bytes);

// Either all the bytes are added or the file is cut back to its old size: a write cut short
// (disk full, size limit) leaves no half line behind.
bool AppendWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file;
    if (!OpenRegular(file, path, O_WRONLY | O_APPEND | O_CREAT, error))
        return false;
    struct stat before = {};
    if (::fstat(file.handle(), &before) != 0)
        return Fail(error, qt_error_string(errno));
    // Written past QFile's buffer, which would try the rest again when the file closes.
    if (WriteAll(file.handle(), bytes))
        return true;
    const QString why = qt_error_string(errno);
    if (::ftruncate(file.handle(), before.st_size) != 0)
        return Fail(error, why + QStringLiteral(" ; ") + qt_error_string(errno));
    return Fail(error, why);
}
} // namespace

bool AppendLines(const QString& path, const QStringList& lines, QString* error)
{
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
    return AppendWhole(path, bytes, error);
}

namespace {
QString RealFile(const QString& path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    auto left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// A new file holding `bytes`, on the disk when this returns; `mode` 0 leaves the default mode.
bool WriteSynced(const QString& path, const QByteArray& bytes, mode_t mode, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    ::unlink(name.constData());
    // O_EXCL: never written through a link or into a file someone else just made.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(error, qt_error_string(errno));
    const bool written =
        (mode == 0 || ::fchmod(fd, mode) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int why = errno;
    if (::close(fd) != 0 && written)
        return Fail(error, qt_error_string(errno));
    return written || Fail(error, qt_error_string(why));
}
} // namespace

bool ReplaceThrough(const QString& path, const QString& temporaryName, const QString& text,
                    QString* error)
{
    if (!MayReplace(path, error))
        return false;
    const QFileInfo target(RealFile(path));
    if (!MayChangeFolder(target.path(), error))
        return false;
    const QByteArray targetName = QFile::encodeName(target.filePath());
    const QString temporary = target.dir().filePath(temporaryName);
    const QByteArray temporaryFile = QFile::encodeName(temporary);
    struct stat info = {};
    const mode_t mode = ::stat(targetName.constData(), &info) == 0 ? info.st_mode & 07777 : 0;
    if (!WriteSynced(temporary, TextCodec::Encode(text), mode, error)) {
        ::unlink(temporaryFile.constData());
        return false;
    }
    // rename(2) puts the new file in place in one step: no moment without a whole file.
    if (::rename(temporaryFile.constData(), targetName.constData()) != 0) {
        Fail(error, qt_error_string(errno));
        ::unlink(temporaryFile.constData());
        return false;
    }
    return true;
}

bool Remove(const QString& path, QString* error)
{
    if (!MayReplace(path, error) || !MayChangeFolder(QFileInfo(path).path(), error))
        return false;
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return Fail(error, qt_error_string(errno));
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
        QFileInfo file(path);
        RemoveLeftoversBeside(file);
        if (!file.isSymLink())
            continue;
        for (int depth = 0; depth < 40 && file.isSymLink(); ++depth)
            file.setFile(file.symLinkTarget());
        RemoveLeftoversBeside(file);
    }
}

} // namespace TextFile

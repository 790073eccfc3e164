#pragma once
// A folder whose files can be written but where no file can be created, as
// on a share that grants "modify" without "create". The folder is marked
// immutable (root with the capability, as in CI containers) or made
// read-only (any other user); Dziala() says whether either took.
#include <QDir>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class FolderBezTworzenia {
public:
    explicit FolderBezTworzenia(const QString& folder) : folder_(folder) {
        if (ustawNiezmienny(true)) niezmienny_ = true;
        else QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile proba(QDir(folder_).filePath(QStringLiteral(".proba")));
        dziala_ = !proba.open(QIODevice::WriteOnly);
        if (!dziala_) proba.remove();
    }
    ~FolderBezTworzenia() {
        if (niezmienny_) ustawNiezmienny(false);
        else QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    FolderBezTworzenia(const FolderBezTworzenia&) = delete;
    FolderBezTworzenia& operator=(const FolderBezTworzenia&) = delete;
    bool Dziala() const { return dziala_; }

private:
    bool ustawNiezmienny(bool tak) {
        const int fd = ::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        int flagi = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flagi) == 0;
        if (ok) {
            flagi = tak ? (flagi | FS_IMMUTABLE_FL) : (flagi & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flagi) == 0;
        }
        ::close(fd);
        return ok;
    }

    QString folder_;
    bool niezmienny_ = false;
    bool dziala_ = false;
};

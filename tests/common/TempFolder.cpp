#include "common/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Paths.h"

TempProgramFolder::TempProgramFolder() : previous_(platform::programFolder()) {
    platform::setProgramFolder(dir_.path());
    platform::clearPathCache();
}

TempProgramFolder::~TempProgramFolder() {
    platform::setProgramFolder(QString());
    platform::clearPathCache();
}

QString TempProgramFolder::file(const QString& rel) const {
    const QString full = dir_.path() + QLatin1Char('/') + rel;
    QDir().mkpath(QFileInfo(full).absolutePath());
    return full;
}

QString TempProgramFolder::drive(QChar letter) const {
    const QString d = dir_.path() + QStringLiteral("/drives/") + letter.toLower();
    QDir().mkpath(d);
    return d;
}

void TempProgramFolder::write(const QString& rel, const QByteArray& bytes) const {
    QFile f(file(rel));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray TempProgramFolder::read(const QString& rel) const {
    QFile f(dir_.path() + QLatin1Char('/') + rel);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

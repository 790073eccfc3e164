#pragma once
// A fresh program folder for one test: created empty, installed as the
// program folder, removed afterwards.
#include <QString>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return dir_.path(); }
    // path()/rel, creating the folders on the way.
    QString file(const QString& rel) const;
    // Makes drives/<letter> a folder and returns its path.
    QString drive(QChar letter) const;
    void write(const QString& rel, const QByteArray& bytes) const;
    QByteArray read(const QString& rel) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

#pragma once
// What one read found on the disk, for every pass over its list: whether
// each file is there, answered a folder at a time (one listing of each
// folder, no look at a file of its own), and each recording opened once
// with its description, however often a day's list repeats it and however
// many passes ask (on a network share an opening is a few round trips).
// A worker's object: one thread at a time, handed from one piece of work
// to the next.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"

class NagraniaPrzebiegu {
public:
    struct Nagranie {
        int wynik = 0;  // OtworzSygnal's
        int blad = 0;   // BladIO after it
        SygnalType s;
        OpisNagraniaTyp opis;
    };
    // Looks at the folders of these files, each once; later questions about
    // them are answered without the disk.
    void Sprawdz(const QStringList& adresy);
    // Whether a regular file stands there (a blank address never).
    bool Jest(const QString& adres);
    // Its folder did not answer: whether it is there cannot be told.
    bool BezOdpowiedzi(const QString& adres) const { return bezOdpowiedzi_.contains(adres); }
    // The recording opened with its description, the first time it is asked.
    const Nagranie& Otworz(const QString& adres);
    // Its length in ms as its header gives it (CzasTrwaniaPliku); 0 when
    // the file is not there.
    qint32 Trwanie(const QString& adres);
    // A file the pass wrote (a copy): it is there, and it is opened anew.
    void Zapisany(const QString& adres);

private:
    QHash<QString, Nagranie> nagrania_;
    QHash<QString, bool> jest_;
    QSet<QString> bezOdpowiedzi_;
};

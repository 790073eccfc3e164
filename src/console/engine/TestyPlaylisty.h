#pragma once
// The checks of a freshly read playlist: are its recordings there, and are
// its durations those of the files; and the copies of its recordings from
// the network to the local disk. They run on the read's worker over the
// new list while it is set aside (TablicaPlaylisty), each in pieces that
// stop where the operator has to be asked; the program's thread asks, shows
// what they found and hands the rest on (PrzebiegiOdczytu).
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class SilnikEmisji;
class NagraniaPrzebiegu;
class TablicaPlaylisty;
struct TElemPListy;

// The status field after a pass: the playlist panel's message in red when
// there is one, else "OK".
void KoniecStatusu(SilnikEmisji& silnik);
// A missing element's report line: "   7;A123;D:\MUZ\A123.MP3".
QString LiniaRaportuBraku(qint32 numer, const TElemPListy& e);

// A worker's progress: element i of `maksimum`.
using PostepPrzebiegu = std::function<void(qint64 i, qint64 maksimum)>;

// Durations from the audio files of recordings, DJ items and adverts of
// elements od + 1 .. ilosc.
void CzasyNagran(TablicaPlaylisty& lista, qint32 od, qint32 ilosc, NagraniaPrzebiegu& nagrania,
                 const PostepPrzebiegu& postep = {});

// The presence test of elements Od + 1 .. the count, with CzyTestRaport's
// report and CzyDATZPlayListy's descriptions: its settings, copied on the
// program's thread, and what it found.
struct TestObecnosci {
    qint32 Od = 0;
    bool Reklamy = false;  // adverts are tested with or without an identifier
    QString Raport;        // the report file (KatTestRaport + name + ".TXT"); "" without one
    bool DAT = false;      // a recording without a .DAT gets one from its element's texts
    // Where the test is; a stop asked by the operator ends a piece there.
    qint32 Nastepny = 0;
    bool Przerwany = false;  // the operator said stop
    bool Brak = false;
    QStringList LinieRaportu, LogNazwany, Logi;
    int BladRaportu = 0;  // the report's write result
    int BladDAT = 0;      // the first description that could not be written
    QString PlikBleduDAT;
};
// Program's thread: the test from element `od` on, its settings as they are now.
TestObecnosci NowyTestObecnosci(qint32 od, bool reklamy);
// Worker: tests the elements after t.Nastepny and marks the missing ones;
// false when `przerwij` stopped it after an element (t.Nastepny is that
// one), for the program's thread to ask.
bool TestujObecnosc(TablicaPlaylisty& lista, qint32 ilosc, TestObecnosci& t, NagraniaPrzebiegu& nagrania,
                    const std::atomic<bool>& przerwij, const PostepPrzebiegu& postep = {});
// Worker, after the last piece: the report written, the descriptions made
// and, unless the operator stopped the test, the durations refreshed.
void DokonczTestObecnosci(TablicaPlaylisty& lista, qint32 ilosc, TestObecnosci& t, NagraniaPrzebiegu& nagrania,
                          const std::function<void(const QString& tekst)>& etap, const PostepPrzebiegu& postep = {});
// Program's thread: the named log, the status and the playlist panel's
// message, and the dialog when CzyWyswWynikTestuPlaylisty asks for one.
void ZglosTestObecnosci(SilnikEmisji& silnik, const TestObecnosci& t);

// The network source and the local target of a recording's file: the drive
// letter mapped from KatSiecStart on, or, with the local copy of the
// network folders, into and out of KatalogSiecNaLokal. False when there is
// no pair.
bool ParaKopii(const QString& adres, QString& zrodlo, QString& cel);

// Copies of recordings from the network to the local disk: the files, the
// settings they go by (copied on the program's thread), where the run is
// and what it found. A run goes file by file and stops where the operator
// has to be asked (a local file to be replaced, a stop asked for); the
// caller asks and runs it on with the answer.
class KopieNagran {
public:
    // Program's thread: the settings as they are now; `nazwanyLog` lists the
    // copies in the playlist's named log.
    explicit KopieNagran(bool nazwanyLog);
    // The audio file of an element and the files beside it with these
    // extensions; a DJ item's copy is dated now with `dzisiaj`.
    void Dodaj(qint32 element, const QString& adres, std::initializer_list<const char*> obok, bool dzisiaj);
    // The recordings of elements od + 1 .. ilosc (audio, .DAT and .OBW) of
    // the kinds a playlist copies.
    void DodajElementy(const TablicaPlaylisty& lista, qint32 od, qint32 ilosc);

    // What stops a run for the operator.
    enum class Pytanie { Zadne, Zastapic, Przerwac };
    // One file's copy: 0 or the I/O code; `przerwane` when it was stopped.
    using Kopia = std::function<int(const QString& zrodlo, const QString& cel, bool dzisiaj, bool& przerwane)>;
    // Copies on until the end, a stop, or a question (returned; Zastapic
    // names the target in Cel()). `przerwij` is looked at after each
    // element (the operator's stop; the caller clears it when the answer is
    // no). Recordings written are told to `nagrania`.
    Pytanie Kopiuj(const Kopia& kopia, const std::atomic<bool>* przerwij, NagraniaPrzebiegu* nagrania,
                   const PostepPrzebiegu& postep = {});
    // The operator's answer to the question Kopiuj returned.
    void Odpowiedz(Pytanie pytanie, quint16 odpowiedz);
    QString Cel() const;
    bool Koniec() const { return stop_ || nastepny_ >= pliki_.size(); }
    // The lines the run wrote since the last call, in order: for the named
    // log (true) or the event log; each once.
    QList<std::pair<bool, QString>> WezLogi();
    // One dialog for the run however many copies failed: a dead network
    // drive must not bury the operator in dialogs while on air. Its code in
    // BladIO.
    void ZglosBlad() const;

private:
    struct Plik {
        qint32 element = 0;
        QString zrodlo, cel;
        bool dzisiaj = false;
        bool audio = false;  // the recording itself (not a file beside it)
    };
    bool pelnyLog_;
    bool brakujace_, pytac_;
    std::vector<Plik> pliki_;
    size_t nastepny_ = 0;
    std::optional<bool> zastapic_;  // the answer for the file at nastepny_
    bool takWszystkie_ = false, stop_ = false;
    int blad_ = 0;
    QString celBledu_;
    QList<std::pair<bool, QString>> logi_;
};

// The time list's recordings (audio and .DAT) the same way, without the
// status field and the named log, on the program's thread with the copy's
// window.
void KopiujNaDyskLokalnyCicho();

#include "console/engine/ObecnoscPlikow.h"

#include <QStringList>

#include <algorithm>

#include "foundation/KestDysk2.h"
#include "platform/Paths.h"
#include "platform/SerialWorker.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"

namespace {
// The folder of a stored file as it is written (what a share's fault names).
QString katalogZbioru(const QString& adres) {
    QString katalog, nazwa, rozszerzenie;
    RozbijSciezke(adres, katalog, nazwa, rozszerzenie);
    return katalog;
}
}  // namespace

ObecnoscPlikow::ObecnoscPlikow(int okresMs) : okresMs_(okresMs) {
    watek_ = std::thread([this] { praca(); });
}

ObecnoscPlikow::~ObecnoscPlikow() {
    {
        std::lock_guard blokada(mutex_);
        koniec_ = true;
    }
    budzik_.notify_all();
    watek_.join();
}

void ObecnoscPlikow::Obserwuj() { obserwuj(MaksPlaylisty); }

void ObecnoscPlikow::ObserwujCzesc() { obserwuj(std::max<qint32>(64, (StanPlaylisty.Ilosc + 9) / 10)); }

void ObecnoscPlikow::obserwuj(qint32 porcja) {
    {
        std::lock_guard blokada(mutex_);
        if (lista_ != LST1Adres) lista_ = LST1Adres;
    }
    const qint32 ilosc = qBound<qint32>(0, StanPlaylisty.Ilosc, MaksPlaylisty);
    bool zmiana = wyslane_.size() != size_t(ilosc) + 1;
    for (qint32 k = std::min(porcja, ilosc); k > 0 && !zmiana; --k) {
        kursor_ = kursor_ >= ilosc ? 1 : kursor_ + 1;
        const QString& a = Playlista[kursor_].Adr.str();
        const QString& b = wyslane_[size_t(kursor_)];
        // The copy shares the element's text until the element is changed.
        zmiana = !(a.constData() == b.constData() && a.size() == b.size()) && a != b;
    }
    if (!zmiana) return;
    wyslane_.assign(size_t(ilosc) + 1, QString());
    for (qint32 i = 1; i <= ilosc; ++i) wyslane_[size_t(i)] = Playlista[i].Adr.str();
    {
        std::lock_guard blokada(mutex_);
        nowaLista_ = std::make_shared<std::vector<QString>>(wyslane_);
        ++zlecone_;
    }
    budzik_.notify_all();
}

void ObecnoscPlikow::odswiezWidziany() const {
    const quint64 w = wersja_.load(std::memory_order_acquire);
    if (w != wersjaWidziana_) {
        std::lock_guard blokada(mutex_);
        widziany_ = obraz_;
        wersjaWidziana_ = w;
    }
}

ObecnoscPlikow::Stan ObecnoscPlikow::StanElementu(qint32 numer, const QString& adres) const {
    odswiezWidziany();
    return stan(widziany_.get(), numer, adres);
}

bool ObecnoscPlikow::Awaria(QString* katalog, QString* powod) const {
    odswiezWidziany();
    if (!widziany_ || widziany_->awaria.isEmpty())
        return false;
    *katalog = widziany_->awaria;
    *powod = widziany_->powod;
    return true;
}

ObecnoscPlikow::Widok ObecnoscPlikow::Zobacz() const {
    odswiezWidziany();
    Widok w;
    w.obraz_ = widziany_;
    return w;
}

bool ObecnoscPlikow::DataListy(const QString& adres, QString* data, quint64* spojrzenie) const {
    std::lock_guard blokada(mutex_);
    if (dataListy_.isEmpty() || listaWidziana_ != adres) return false;
    *data = dataListy_;
    *spojrzenie = spojrzenia_;
    return true;
}

quint64 ObecnoscPlikow::Spojrzenia() const {
    std::lock_guard blokada(mutex_);
    return spojrzenia_;
}

void ObecnoscPlikow::Oproznij() {
    Obserwuj();
    std::unique_lock blokada(mutex_);
    // A round of its own when the list is unchanged: the advert list is looked at again.
    if (!nowaLista_) {
        ++zlecone_;
        budzik_.notify_all();
    }
    gotowe_.wait(blokada, [this] { return sprawdzone_ >= zlecone_; });
}

void ObecnoscPlikow::sprawdz(std::vector<QString> adresy) {
    QStringList lista;
    lista.reserve(qsizetype(adresy.size()));
    for (const QString& a : adresy) lista << a;
    QHash<QString, qint64> foldery;
    std::vector<int> bledy;
    const std::vector<bool> sa = platform::regularFiles(lista, &foldery, &bledy);
    auto obraz = std::make_shared<Obraz>();
    obraz->stany.assign(adresy.size(), Brak);
    for (size_t i = 0; i < sa.size(); ++i) {
        if (sa[i]) {
            obraz->stany[i] = Jest;
        } else if (bledy[i] != 0) {
            obraz->stany[i] = BezOdpowiedzi;
            if (obraz->awaria.isEmpty()) {
                obraz->awaria = katalogZbioru(adresy[i]);
                obraz->powod = qt_error_string(bledy[i]);
            }
        }
    }
    obraz->adresy = std::move(adresy);
    std::lock_guard blokada(mutex_);
    bezOdpowiedzi_ = !obraz->awaria.isEmpty();
    foldery_ = std::move(foldery);
    obraz_ = std::move(obraz);
    wersja_.fetch_add(1, std::memory_order_release);
}

void ObecnoscPlikow::spojrzNaListe(const QString& adres) {
    const QString data = platform::fileExists(adres) ? DataZbioruTekst(adres) : QString();
    std::lock_guard blokada(mutex_);
    listaWidziana_ = adres;
    dataListy_ = data;
    ++spojrzenia_;
}

void ObecnoscPlikow::praca() {
    platform::becomeBackgroundThread();
    std::vector<QString> lista;
    std::unique_lock blokada(mutex_);
    while (!koniec_) {
        budzik_.wait_for(blokada, std::chrono::milliseconds(okresMs_),
                         [this] { return koniec_ || nowaLista_ || zlecone_ > sprawdzone_; });
        if (koniec_) break;
        bool sprawdzaj = false;
        quint64 zlecenie = zlecone_;
        if (nowaLista_) {
            lista = std::move(*nowaLista_);
            nowaLista_.reset();
            sprawdzaj = true;
        }
        const QHash<QString, qint64> foldery = foldery_;
        const QString lst = lista_;
        // A folder that did not answer is asked again every period: its
        // files wait for it, and the air resumes soon after it answers.
        sprawdzaj = sprawdzaj || bezOdpowiedzi_;
        blokada.unlock();
        // Between lists: a folder whose time moved had a file copied in or
        // taken away.
        if (!sprawdzaj)
            for (auto f = foldery.cbegin(); f != foldery.cend() && !sprawdzaj; ++f)
                sprawdzaj = platform::folderChangeTime(f.key()) != f.value();
        if (sprawdzaj) sprawdz(lista);
        spojrzNaListe(lst);
        blokada.lock();
        sprawdzone_ = std::max(sprawdzone_, zlecenie);
        gotowe_.notify_all();
    }
}

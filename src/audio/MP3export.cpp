#include "audio/MP3export.h"

#include "audio/Sygnaly2.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QtEndian>

#include <lame/lame.h>

#include <memory>
#include <vector>

namespace {

constexpr int kRamekNaPorcje = 1152;  // one MPEG-1 layer III frame per read
constexpr qint64 kPompaMs = 10;

struct FormatWAV {
    int kanaly = 0;
    int probkowanie = 0;
    qint64 danePozycja = 0;
    qint64 daneRozmiar = 0;
};

int czytajFormat(const QString& wav, QFile& plik, FormatWAV& f) {
    qint64 fmtPozycja = 0;
    const qint64 fmtRozmiar = ZnajdzChunk(wav, QByteArrayLiteral("fmt "), fmtPozycja);
    f.daneRozmiar = ZnajdzChunk(wav, QByteArrayLiteral("data"), f.danePozycja);
    // An empty data chunk is a take of no length, still a valid file; a
    // missing one is not a WAV we can read.
    if (fmtRozmiar < 16 || f.danePozycja == 0) return MP3BrakWAV;
    if (!plik.seek(fmtPozycja)) return MP3BrakWAV;
    const QByteArray b = plik.read(16);
    if (b.size() != 16) return MP3BrakWAV;
    const char* p = b.constData();
    const quint16 tag = qFromLittleEndian<quint16>(p);
    f.kanaly = qFromLittleEndian<quint16>(p + 2);
    f.probkowanie = int(qFromLittleEndian<quint32>(p + 4));
    const quint16 bity = qFromLittleEndian<quint16>(p + 14);
    if (tag != 1 || bity != 16 || (f.kanaly != 1 && f.kanaly != 2) || f.probkowanie <= 0) return MP3NieobslugiwanyWAV;
    return MP3Dobrze;
}

struct Koder {
    lame_global_flags* gf = lame_init();
    ~Koder() {
        if (gf) lame_close(gf);
    }
};

void pompujZdarzenia(QElapsedTimer& zegar) {
    if (zegar.elapsed() < kPompaMs) return;
    zegar.restart();
    auto* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) QCoreApplication::processEvents();
}

int kompresuj(const QString& wav, const QString& mp3, int kbits, int tryb) {
    QFile we(platform::resolvePath(wav));
    if (!we.open(QIODevice::ReadOnly)) return MP3BrakWAV;
    FormatWAV f;
    if (const int k = czytajFormat(wav, we, f)) return k;

    Koder koder;
    if (!koder.gf) return MP3BrakKodera;
    lame_global_flags* gf = koder.gf;
    // The take's own rate and channels go in; the encoder resamples to
    // 44 100 Hz (every bit rate offered needs MPEG-1) and mixes down for mono.
    lame_set_in_samplerate(gf, f.probkowanie);
    lame_set_num_channels(gf, f.kanaly);
    lame_set_out_samplerate(gf, 44100);
    lame_set_mode(gf, tryb == 1 ? MONO : STEREO);
    lame_set_VBR(gf, vbr_off);
    lame_set_brate(gf, kbits);
    lame_set_quality(gf, 2);
    lame_set_copyright(gf, 1);
    lame_set_original(gf, 1);
    lame_set_error_protection(gf, 0);
    lame_set_emphasis(gf, 0);
    lame_set_bWriteVbrTag(gf, 0);
    lame_set_write_id3tag_automatic(gf, 0);
    if (const int k = lame_init_params(gf); k < 0) return k;
    // A bit rate that MPEG-1 does not have is taken to the nearest one by
    // the encoder; the file would then not be what was asked for.
    if (lame_get_brate(gf) != kbits) return MP3NieobslugiwanyWAV;

    platform::WholeFileWriter wy(platform::resolvePath(mp3));
    if (!wy.open()) return MP3BladZapisu;

    const int ramka = 2 * f.kanaly;
    std::vector<short> pcm(size_t(kRamekNaPorcje) * size_t(f.kanaly));
    std::vector<unsigned char> bufor(size_t(kRamekNaPorcje) * 5 / 4 + 7200);
    auto zapisz = [&](int n) { return n <= 0 || wy.write(reinterpret_cast<const char*>(bufor.data()), n); };

    if (!we.seek(f.danePozycja)) return MP3BrakWAV;
    // Only the data chunk is sound; chunks after it (LIST, bext) are not.
    // A last odd byte or half a stereo frame is no sample and is dropped.
    qint64 zostalo = f.daneRozmiar / ramka * ramka;
    QElapsedTimer zegar;
    zegar.start();
    while (zostalo > 0) {
        const qint64 chce = std::min<qint64>(zostalo, qint64(kRamekNaPorcje) * ramka);
        const qint64 jest = we.read(reinterpret_cast<char*>(pcm.data()), chce);
        if (jest != chce) return MP3BrakWAV;
        zostalo -= jest;
        if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
            for (auto& s : pcm) s = qFromLittleEndian(s);
        }
        const int ramki = int(jest / ramka);
        const int n = f.kanaly == 2
                          ? lame_encode_buffer_interleaved(gf, pcm.data(), ramki, bufor.data(), int(bufor.size()))
                          : lame_encode_buffer(gf, pcm.data(), pcm.data(), ramki, bufor.data(), int(bufor.size()));
        if (n < 0) return n;
        if (!zapisz(n)) return MP3BladZapisu;
        pompujZdarzenia(zegar);
    }
    const int n = lame_encode_flush(gf, bufor.data(), int(bufor.size()));
    if (n < 0) return n;
    if (!zapisz(n)) return MP3BladZapisu;
    return wy.commit() ? MP3Dobrze : MP3BladZapisu;
}

}  // namespace

void KompresujMP3(const QString& wav, const QString& mp3, int kbits, int& kod, int tryb) {
    kod = kompresuj(wav, mp3, kbits, tryb);
}

#include "console/links/TelnetGPI.h"

#include "foundation/KestSter2.h"
#include "foundation/KestWej.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "playlists/NastawyEmisji.h"

namespace {
// Telnet command bytes.
constexpr quint8 IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
}  // namespace

TelnetGPI::TelnetGPI(QObject* parent) : QObject(parent) {
    czasPolaczenia_.setSingleShot(true);
    connect(&czasPolaczenia_, &QTimer::timeout, this, &TelnetGPI::czasMinal);
    connect(&gniazdo_, &QTcpSocket::connected, this, &TelnetGPI::polaczono);
    connect(&gniazdo_, &QTcpSocket::errorOccurred, this, &TelnetGPI::bladGniazda);
    connect(&gniazdo_, &QTcpSocket::disconnected, this, &TelnetGPI::rozlaczono);
    connect(&gniazdo_, &QTcpSocket::readyRead, this, &TelnetGPI::czytaj);
    gniazdo_.setReadBufferSize(4 * PorcjaOdczytu);
    zgloszenie_.setSingleShot(true);
    connect(&zgloszenie_, &QTimer::timeout, this, [this] { zglosPominiete(true); });
}

void TelnetGPI::czytaj() {
    czytanieZaplanowane_ = false;
    const QByteArray dane = gniazdo_.read(PorcjaOdczytu);
    najwiekszaPorcja_ = qMax<qint64>(najwiekszaPorcja_, dane.size());
    if (!dane.isEmpty()) IdTelnetDataAvailable(dane);
    // The rest waits for the next turn of the event loop, after the timers.
    if (gniazdo_.bytesAvailable() > 0 && !czytanieZaplanowane_) {
        czytanieZaplanowane_ = true;
        QMetaObject::invokeMethod(this, &TelnetGPI::czytaj, Qt::QueuedConnection);
    }
}

TelnetGPI::~TelnetGPI() {
    // Closing at the end of the program is not a lost link.
    gniazdo_.disconnect(this);
    gniazdo_.abort();
}

void TelnetGPI::Start() {
    if (!Satelita.GPI1Jest) return;
    Polacz(Satelita.GPI1Adres, quint16(Satelita.GPI1Port));
}

void TelnetGPI::Polacz(const QString& adres, quint16 port) {
    adres_ = adres;
    port_ = port;
    gniazdo_.connectToHost(adres, port);
    czasPolaczenia_.start(CzasPolaczeniaMs);
}

bool TelnetGPI::Polaczony() const { return gniazdo_.state() == QAbstractSocket::ConnectedState; }

void TelnetGPI::TelnetWyslij(const QString& tekst) {
    if (!Polaczony()) return;
    QByteArray bajty;
    for (char c : platform::toCp1250(tekst)) {
        bajty.append(c);
        if (quint8(c) == IAC) bajty.append(c);  // a data byte 255 is doubled on the wire
    }
    bajty.append("\r\n");
    wyslij(bajty);
}

void TelnetGPI::wyslij(const QByteArray& bajty) {
    gniazdo_.write(bajty);
    if (gniazdo_.bytesToWrite() > MaksDoWyslania) zerwij();
}

void TelnetGPI::zerwij() {
    if (!zgloszoneZerwanie_) {
        zgloszoneZerwanie_ = true;
        Log(QStringLiteral("Węzeł GPI %1:%2 nie odbiera danych - połączenie zerwane i nawiązywane ponownie")
                .arg(adres_)
                .arg(port_));
    }
    zrywam_ = true;
    gniazdo_.abort();
    zrywam_ = false;
    // Opened again as at start-up, once the event that noticed is over.
    QTimer::singleShot(0, this, [this] { Polacz(adres_, port_); });
}

void TelnetGPI::IdTelnetDataAvailable(const QByteArray& dane) {
    QByteArray odpowiedz;
    QString ostatniGPO;
    const char* p = dane.constData();
    const char* const koniec = p + dane.size();
    for (; p < koniec; ++p) {
        if (stan_ == Stan::Dane && liniaZaDluga_) {
            // The rest of an overlong line is skipped, not looked at.
            while (p < koniec && *p != '\r' && *p != '\n' && quint8(*p) != IAC) ++p;
            if (p == koniec) break;
        }
        const char znak = *p;
        const quint8 b = quint8(znak);
        switch (stan_) {
        case Stan::Dane:
            if (b == IAC) {
                stan_ = Stan::Iac;
            } else if (b == '\r' || b == '\n') {
                koniecLinii(ostatniGPO);
            } else if (b != 0) {
                if (linia_.size() < MaksDlugoscLinii) linia_.append(znak);
                else liniaZaDluga_ = true;
            }
            break;
        case Stan::Iac:
            if (b == IAC) {
                if (linia_.size() < MaksDlugoscLinii) linia_.append(znak);
                else liniaZaDluga_ = true;
                stan_ = Stan::Dane;
            } else if (b >= WILL && b <= DONT) {
                polecenie_ = b;
                stan_ = Stan::Opcja;
            } else if (b == SB) {
                stan_ = Stan::Podnegocjacja;
            } else {
                stan_ = Stan::Dane;  // a two-byte command (NOP, GA ...) carries nothing for us
            }
            break;
        case Stan::Opcja:
            // The link stays plain text: every option the node offers or asks for is refused.
            if (polecenie_ == DO && !odpowiedzianoDO_.test(b)) {
                odpowiedzianoDO_.set(b);
                odpowiedz.append(char(IAC)).append(char(WONT)).append(znak);
            } else if (polecenie_ == WILL && !odpowiedzianoWILL_.test(b)) {
                odpowiedzianoWILL_.set(b);
                odpowiedz.append(char(IAC)).append(char(DONT)).append(znak);
            }
            stan_ = Stan::Dane;
            break;
        case Stan::Podnegocjacja:
            if (b == IAC) stan_ = Stan::PodnegocjacjaIac;
            break;
        case Stan::PodnegocjacjaIac:
            stan_ = b == SE ? Stan::Dane : Stan::Podnegocjacja;
            break;
        }
    }
    if (!odpowiedz.isEmpty() && Polaczony()) wyslij(odpowiedz);
    // Only the newest whole report counts; a half line waits for its end.
    if (!ostatniGPO.isEmpty()) TekstGPI = ostatniGPO;
}

void TelnetGPI::koniecLinii(QString& ostatniGPO) {
    if (liniaZaDluga_) {
        ++pominiete_;
        zglosPominiete(false);
    } else if (!linia_.isEmpty()) {
        const QString tekst = platform::fromCp1250(linia_);
        if (tekst.startsWith(QLatin1String("GPO"))) ostatniGPO = tekst;
    }
    linia_.clear();
    liniaZaDluga_ = false;
}

void TelnetGPI::zglosPominiete(bool teraz) {
    if (pominiete_ == 0) return;
    const qint64 ms = platform::clock().monotonicMs();
    if (!teraz && ostatnieZgloszenie_ >= 0 && ms - ostatnieZgloszenie_ < OdstepZgloszenMs) {
        if (!zgloszenie_.isActive()) zgloszenie_.start(int(OdstepZgloszenMs - (ms - ostatnieZgloszenie_)));
        return;
    }
    Log(QStringLiteral("Węzeł GPI %1:%2 - pominięte za długie linie: %3").arg(adres_).arg(port_).arg(pominiete_));
    pominiete_ = 0;
    ostatnieZgloszenie_ = ms;
    zgloszenie_.stop();
}

void TelnetGPI::polaczono() {
    czasPolaczenia_.stop();
    bylPolaczony_ = true;
    gniazdo_.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, int(MaksDoWyslania));
    odpowiedzianoDO_.reset();
    odpowiedzianoWILL_.reset();
    stan_ = Stan::Dane;
    linia_.clear();
    liniaZaDluga_ = false;
    TelnetWyslij(QStringLiteral("LOGIN"));
    TelnetWyslij(QStringLiteral("ADD GPO"));
}

void TelnetGPI::bladGniazda() {
    if (zrywam_ || bylPolaczony_ || zgloszono_) return;  // a lost link is reported once it is gone
    czasPolaczenia_.stop();
    zgloszono_ = true;
    Log(QStringLiteral("Brak połączenia z węzłem GPI %1:%2 - %3").arg(adres_).arg(port_).arg(gniazdo_.errorString()));
}

void TelnetGPI::rozlaczono() {
    if (zrywam_ || !bylPolaczony_ || zgloszono_) return;
    zgloszono_ = true;
    Log(QStringLiteral("Utracono połączenie z węzłem GPI %1:%2").arg(adres_).arg(port_));
}

void TelnetGPI::czasMinal() {
    if (gniazdo_.state() == QAbstractSocket::ConnectedState) return;
    gniazdo_.abort();
    if (zgloszono_) return;
    zgloszono_ = true;
    Log(QStringLiteral("Brak połączenia z węzłem GPI %1:%2 - węzeł nie odpowiada").arg(adres_).arg(port_));
}

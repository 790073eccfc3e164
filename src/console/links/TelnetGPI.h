#pragma once
// The Telnet link to the networked I/O node: it subscribes to the node's
// output-state reports and keeps the last one in TekstGPI, which the input
// word reads. The node's bytes are untrusted: option negotiation is refused,
// lines are framed and bounded, and only whole "GPO" lines are taken.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

#include <bitset>

class TelnetGPI : public QObject {
    Q_OBJECT
public:
    static constexpr int CzasPolaczeniaMs = 1000;
    // No report of the node is near this long; a longer line is dropped whole.
    static constexpr int MaksDlugoscLinii = 256;
    // A node that floods the link must not hold the program's thread: each
    // event takes at most this much, and the socket buffers no more than a
    // few reads (the node then waits on TCP).
    static constexpr qint64 PorcjaOdczytu = 16 * 1024;
    // A node that reads nothing of what it is sent: once this much waits to
    // be sent, the link is dropped and opened again as at start-up. The
    // socket's own send buffer is kept as small, so a node that stops
    // reading is noticed within a few kilobytes.
    static constexpr qint64 MaksDoWyslania = 16 * 1024;
    // Dropped lines are logged with their count at most this often.
    static constexpr qint64 OdstepZgloszenMs = 60'000;

    explicit TelnetGPI(QObject* parent = nullptr);
    ~TelnetGPI() override;

    // At start-up: connects to GPI1Adres:GPI1Port when GPI1Jest is on, then
    // sends "LOGIN" and "ADD GPO". The link is opened again only after the
    // program dropped it (a node that does not read).
    void Start();
    void Polacz(const QString& adres, quint16 port);
    bool Polaczony() const;

    // One command line to the node; nothing while not connected.
    void TelnetWyslij(const QString& tekst);
    // Bytes received from the node, in the order they came.
    void IdTelnetDataAvailable(const QByteArray& dane);
    // The most bytes one event has taken from the socket (tests).
    qint64 NajwiekszaPorcja() const { return najwiekszaPorcja_; }

private:
    void polaczono();
    void bladGniazda();
    void rozlaczono();
    void czasMinal();
    void koniecLinii(QString& ostatniGPO);
    void czytaj();
    // Logs the dropped lines' count when the last such line is a minute old
    // (or at once when `teraz`).
    void zglosPominiete(bool teraz);
    void wyslij(const QByteArray& bajty);
    void zerwij();

    enum class Stan { Dane, Iac, Opcja, Podnegocjacja, PodnegocjacjaIac };

    QTcpSocket gniazdo_;
    QTimer czasPolaczenia_;
    QString adres_;
    quint16 port_ = 0;
    bool bylPolaczony_ = false;
    bool zgloszono_ = false;
    Stan stan_ = Stan::Dane;
    quint8 polecenie_ = 0;
    QByteArray linia_;
    bool liniaZaDluga_ = false;
    bool czytanieZaplanowane_ = false;
    qint64 najwiekszaPorcja_ = 0;
    qint64 pominiete_ = 0;           // dropped lines not yet logged
    qint64 ostatnieZgloszenie_ = -1; // monotonic ms of the last such log line
    QTimer zgloszenie_;              // logs what is left once the minute is over
    // Options already refused on this connection: each is answered once, so
    // a node repeating its requests gets no answer to pile up.
    std::bitset<256> odpowiedzianoDO_, odpowiedzianoWILL_;
    bool zrywam_ = false;
    bool zgloszoneZerwanie_ = false;
};

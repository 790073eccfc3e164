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

class TelnetGPI : public QObject {
    Q_OBJECT
public:
    static constexpr int CzasPolaczeniaMs = 1000;
    // No report of the node is near this long; a longer line is dropped whole.
    static constexpr int MaksDlugoscLinii = 256;

    explicit TelnetGPI(QObject* parent = nullptr);
    ~TelnetGPI() override;

    // At start-up: connects to GPI1Adres:GPI1Port when GPI1Jest is on, then
    // sends "LOGIN" and "ADD GPO". The link is never reopened.
    void Start();
    void Polacz(const QString& adres, quint16 port);
    bool Polaczony() const;

    // One command line to the node; nothing while not connected.
    void TelnetWyslij(const QString& tekst);
    // Bytes received from the node, in the order they came.
    void IdTelnetDataAvailable(const QByteArray& dane);

private:
    void polaczono();
    void bladGniazda();
    void rozlaczono();
    void czasMinal();
    void koniecLinii(QString& ostatniGPO);

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
};

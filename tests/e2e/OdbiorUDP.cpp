// tolvane-e2e-udp PORTFILE OUTFILE SECONDS
// Listens on a free UDP port of 127.0.0.1, writes the port number into
// PORTFILE, then appends every datagram to OUTFILE as one line: its size in
// bytes, a blank, and its text with each CR LF written as "|" and the
// padding blanks dropped (the bytes stay Windows-1250). Ends after SECONDS.
#include <QCoreApplication>
#include <QFile>
#include <QNetworkDatagram>
#include <QSaveFile>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    bool ok = false;
    const int sekundy = a.size() == 4 ? a[3].toInt(&ok) : 0;
    if (!ok || sekundy <= 0) {
        std::fprintf(stderr, "usage: tolvane-e2e-udp PORTFILE OUTFILE SECONDS\n");
        return 2;
    }
    QUdpSocket gniazdo;
    if (!gniazdo.bind(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "cannot bind: %s\n", qUtf8Printable(gniazdo.errorString()));
        return 1;
    }
    QFile wyjscie(a[2]);
    if (!wyjscie.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(a[2]));
        return 1;
    }
    QObject::connect(&gniazdo, &QUdpSocket::readyRead, [&] {
        while (gniazdo.hasPendingDatagrams()) {
            QByteArray d = gniazdo.receiveDatagram().data();
            const QByteArray rozmiar = QByteArray::number(d.size());
            while (d.endsWith(' ')) d.chop(1);
            d.replace("\r\n", "|");
            d.replace('\n', ' ');
            wyjscie.write(rozmiar + ' ' + d + '\n');
            wyjscie.flush();
        }
    });
    // The port file appears whole, so a reader never sees half a number.
    QSaveFile port(a[1]);
    if (!port.open(QIODevice::WriteOnly) || port.write(QByteArray::number(gniazdo.localPort()) + '\n') < 0 ||
        !port.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(a[1]));
        return 1;
    }
    QTimer::singleShot(sekundy * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}

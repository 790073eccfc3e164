// tolvane-e2e-gpi PORT_FILE SECONDS
// A hostile I/O node for the end-to-end tests: it listens on 127.0.0.1 (the
// port it got goes to PORT_FILE), takes the console's connection and floods
// it with garbage (lines of 64 KB, most of them without an end) as fast as
// the console reads them, until the console goes or SECONDS pass. Then it
// prints how many bytes it sent.
#include <QCoreApplication>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tolvane-e2e-gpi PORT_FILE SECONDS\n");
        return 2;
    }
    QTcpServer serwer;
    if (!serwer.listen(QHostAddress::LocalHost, 0)) return 1;
    {
        QFile f(QString::fromLocal8Bit(argv[1]));
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray::number(serwer.serverPort())) <= 0) return 1;
    }
    QByteArray porcja;
    for (int i = 0; i < 16; ++i) porcja += QByteArray(64 * 1024, char('A' + i)) + (i % 4 == 3 ? "\r\n" : "");
    qint64 wyslano = 0;
    QTcpSocket* konsola = nullptr;
    const auto dolej = [&] {
        while (konsola && konsola->bytesToWrite() < 4 * porcja.size()) {
            const qint64 n = konsola->write(porcja);
            if (n <= 0) break;
            wyslano += n;
        }
    };
    QObject::connect(&serwer, &QTcpServer::newConnection, [&] {
        if (konsola) return;
        konsola = serwer.nextPendingConnection();
        QObject::connect(konsola, &QTcpSocket::bytesWritten, dolej);
        QObject::connect(konsola, &QTcpSocket::readyRead, [&] { konsola->readAll(); });
        dolej();
    });
    const auto koniec = [&] {
        std::printf("%lld\n", static_cast<long long>(wyslano));
        std::fflush(stdout);
        app.quit();
    };
    QObject::connect(&serwer, &QTcpServer::newConnection, [&] {
        if (konsola) QObject::connect(konsola, &QTcpSocket::disconnected, koniec);
    });
    QTimer::singleShot(QString::fromLocal8Bit(argv[2]).toInt() * 1000, &app, koniec);
    return app.exec();
}

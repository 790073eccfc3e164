#pragma once
// Builds a demo station (a program folder) from nothing, with the program's
// own writers: the settings file, audio files with their descriptions, and
// today's playlist as the emergency playlist, so that the console starts
// playing in Automat by itself.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <functional>

struct OpcjeStacjiDemo {
    QString Folder;            // Linux path; created when missing
    bool KrotkieElementy = false;  // elements of a few seconds (the end-to-end test's station)
    qint64 OdMs = 0;           // air time of its first element, ms of the day
    // Above 0: the player, heartbeat and monitor datagrams go to this port
    // of 127.0.0.1 every second (the end-to-end test listens there).
    quint16 PortUDP = 0;
    // Told the name of each stage as it begins.
    std::function<void(const QString&)> Postep;
};

// False with a reason when something could not be written.
bool ZbudujStacjeDemo(const OpcjeStacjiDemo& opcje, QString& blad);

// Beside the audio: the jingles as a singles set, and the adverts as a time
// list due a few minutes after the first element (stored paths, drive C: of
// the station).
extern const QString ZestawSingliDemo;
extern const QString ListaReklamDemo;

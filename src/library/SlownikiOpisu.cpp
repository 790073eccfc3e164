#include "library/SlownikiOpisu.h"

#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

const QStringList SlownikGender = {u"D- Duet"_s, u"F - Female (wokalistka)"_s, u"I - Instrumental"_s,
                                   u"M - Male (wokalista)"_s, u"Z - zespół"_s};

const QStringList SlownikTyp = {
    u"P - pop"_s,           u"E - pop-dance"_s,        u"Y - rock ballad"_s,  u"T - new age"_s,
    u"H - hip-hop, rap"_s,  u"D - dance"_s,            u"# - orkiestra"_s,    u"C - classic"_s,
    u"N - boże narodzenie"_s, u"V - italo disco"_s,    u"! - in the mood"_s,  u"$ - klasyczna"_s,
    u"* - kabaretowa"_s,    u"+ - rave"_s,             u"4 - pop ballada"_s,  u"5 - techno"_s,
    u"6 - club"_s,          u"7 - triphop"_s,          u"8 - dreamdance"_s,   u"9 - lato"_s,
    u"? - rock'n'roll"_s,   u"@ - R'N'B"_s,            u"A - alternative"_s,  u"B - blues"_s,
    u"F - folk"_s,          u"G - country"_s,          u"I - muzyka religijna"_s, u"J - reggae"_s,
    u"K - muzyka klasyczna"_s, u"L - latino"_s,        u"M - elektronika"_s,  u"O - oldies"_s,
    u"Q - polskie"_s,       u"R - rock"_s,             u"S - soul"_s,         u"U - urban"_s,
    u"W - world music"_s,   u"X - disco"_s,            u"[ - jazz"_s,         u"] - taneczny"_s,
    u"muzyka filmowa"_s};

const QStringList SlownikNastroj = {u"1 – smutny"_s,        u"2 – obojętny"_s,       u"3 - wesoły"_s,
                                    u"4 - niespokojny"_s,   u"O – optymistyczny"_s,  u"P – pesymistyczny"_s,
                                    u"Ż – żywy"_s};

const QStringList SlownikTempo = {u"wolne"_s, u"średnio-wolne"_s, u"średnie"_s, u"średnio-szybkie"_s, u"szybkie"_s};

const QStringList SlownikNarodowosc = {
    u"ANG - anglosaski"_s, u"ARA - arabski"_s,   u"ESP - hiszpański"_s,  u"FRA - francuski"_s,
    u"GER - niemiecki (germański)"_s, u"GRE - grecki"_s, u"ITA - włoski"_s, u"POL - polski"_s,
    u"POR - portugalski"_s, u"RUS - rosyjski"_s, u"TUR - turecki"_s, u"YUG - jugosłowiański"_s,
    u"INN - inna"_s};

const QStringList SlownikKategoria = {u"Muzyka"_s,  u"Jingiel"_s, u"Reklama"_s, u"DJ"_s,   u"Whisper"_s,
                                      u"Sweeper"_s, u"Sponsor"_s, u"Promos"_s,  u"Audycja"_s, u"Loop"_s,
                                      u"Efekt"_s,   u"VTM"_s,     u"RLM"_s,     u"PLM ON"_s, u"PLM OFF"_s};

const QStringList SlownikPTY = {u"NONE"_s,    u"NEWS"_s,   u"AFFAIRS"_s, u"INFO"_s,     u"SPORT"_s,   u"EDUCATE"_s,
                                u"DRAMA"_s,   u"CULTURE"_s, u"SCIENCE"_s, u"VARIED"_s,  u"POP M"_s,   u"ROCK M"_s,
                                u"M.O.R. M"_s, u"LIGHT M"_s, u"CLASSICS"_s, u"OTHER M"_s};

QStringList SlownikEra() { return Emisja.InfoEraElementy.split(u';'); }

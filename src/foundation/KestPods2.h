#pragma once
// Time, date, number, text and key-code helpers of the program.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <QtCore/qnamespace.h>

class QKeyEvent;

// ---- date and clock (from the injected clock) ----
void DataIDzienTygodnia(int& rok, int& miesiac, int& dzien, int& dzienTygodnia);  // 1 = Sunday
void CzasCzesci(int& godzina, int& minuta, int& sekunda);
QString DataTekst();  // yyyy-mm-dd of today
QString DataTekst(const QDate& dzien);

// ---- time texts ----
// Formats: 1 hh:mm:ss, 2 hh:mm, 3 mm:ss, 5 hh:mm.ss (seconds); 4 [-]mm:ss.mmm, 6 hh:mm:ss.mmm (ms).
void PiszCzas(QString& tekst, int format, qint64 wartosc);
QString PiszCzas(int format, qint64 wartosc);
void PiszCzasDoby(qint64 wartosc, QString& tekst, int format);
QString PiszCzasDoby(qint64 wartosc, int format);
// The 24-hour clock's text of a time of day in ms: hh:mm:ss, the hour with
// its leading zero ("05:41:51"), as start times are written everywhere.
QString CzasZegara24(qint64 msDoby);
// Parser formats: 1 hh:mm:ss, 3 mm:ss (seconds); 4 mm:ss.mmm, 5 hh:mm:ss.mmm (ms). -1 when malformed.
void CzytajCzas(const QString& tekst, qint32& wartosc, int format);
qint32 CzytajCzas(const QString& tekst, int format);
void MsNaCzesci(qint64 ms, QString& minuty, QString& sekundy, QString& ulamek);
QString MsTekst(qint64 ms);

// ---- numbers and text ----
void LiczbaZKropkami(QString& tekst, int szerokosc);
void DuzeLiteryPL(QString& tekst);
QString DuzeLiteryPL(const QString& tekst);
void DuzeLitery(QString& tekst);
void Transliteruj(int zWiersza, int doWiersza, const QString& tekst, QString& wynik);
double Log10(double x);

// ---- key codes (16-bit PC BIOS form; 0xFFFF: no code) ----
// shift state: 0 none, 4 Ctrl, 2 Alt; anything else gives 0xFFFF.
quint16 VkNaKodBios(int virtualKey, int shiftState);
// Qt key -> Windows virtual key (0 when none). Qt already resolves the
// keypad by NumLock: with it off the keypad sends Home, End ... keys.
int QtKeyNaVk(int qtKey, Qt::KeyboardModifiers modifiers);
quint16 KodBIOS(const QKeyEvent& event);
quint16 KodBIOS(int qtKey, Qt::KeyboardModifiers modifiers);

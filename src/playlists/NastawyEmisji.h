#pragma once
// The sections "Emisja MIX" (how the day is played and recorded) and
// "Satelita" (satellite synchronisation, UDP status senders, the GPI node).
// Every setting is a field named as its key; one table per section drives
// the defaults, the reader, the writer and the settings dialog.
#include "foundation/TabelaNastaw.h"

#include <QString>
#include <array>

// The values below are zero until the defaults procedure runs at start-up.
struct NastawyEmisjiMIX {
    quint8 Kanal1 = 0;
    quint8 Kanal2 = 0;
    quint8 Kanal3 = 0;
    quint8 Kanal4 = 0;
    quint8 Kanal5 = 0;
    quint8 KanalPFL = 0;
    bool CzyPlayerPFLBlokuje = false;
    bool CzyPlayerZgodnoscWinXP = false;
    QString Kanal1Nazwa;
    QString Kanal2Nazwa;
    QString Kanal3Nazwa;
    QString Kanal4Nazwa;
    QString Kanal5Nazwa;
    QString KanalPFLNazwa;
    quint8 KartaWeLin = 0;
    quint8 KanalWeLin = 0;
    bool KartaZerujJest = false;
    quint8 PlayerCzasFormat = 0;
    bool PlayerVUMeterJest = false;
    qint32 Poziom0SND = 0;
    qint32 Poziom0JNG = 0;
    qint32 Poziom0DJ_ = 0;
    qint32 Poziom0REK = 0;
    qint32 Poziom0SPO = 0;
    qint32 Poziom0PRO = 0;
    qint32 Poziom0AUD = 0;
    qint32 Poziom0WHI = 0;
    qint32 Poziom0SWE = 0;
    qint32 Poziom0LOP = 0;
    bool PanelPrzyciskSterowanieJest = false;
    bool TimelistaPrzyciskPytajJest = false;
    bool AutoStopWspolnyJest = false;
    bool AutoStop = false;
    bool AutomatBezAutoStop = false;
    bool PListaAktJest = false;
    bool CiszaJest = false;
    qint32 PoziomStop = 0;  // hundredths of a dB, as the fade engine uses it; the file holds dB
    qint32 CzasStop = 0;
    qint32 CzasCross = 0;
    qint32 CzasJCross = 0;
    qint32 CzasSCross = 0;
    qint32 CzasRCross = 0;
    qint32 CzasPCross = 0;
    qint32 CzasOCross = 0;
    qint32 CzasACross = 0;
    qint32 CzasWCross = 0;
    qint32 CzasECross = 0;
    qint32 CzasLCross = 0;
    bool CzyZnaczOutro = false;
    bool CzyWyswCzasZSEL = false;
    bool CzyWyswTrwZPListy = false;
    bool MIXPLUndoPlayWidokJest = false;
    bool CzyCzasPrzelGodz = false;
    qint32 CzasZnacz = 0;
    qint32 TOfset = 0;
    bool MIXPLAutomatKorektaJest = false;
    qint32 MIXPLAutomatKorektaMS = 0;
    qint32 MIXPLTestObecnosciMarginesH = 0;
    bool MIXPLEdycjaPrzedGranaJest = false;
    bool CzyHST = false;
    bool CzyHSTXML = false;
    QString KatHST;
    qint32 THST = 0;
    qint32 ProcHST = 0;
    bool HSTBezKryterium = false;
    bool HSTSNDZapisJest = false;
    bool HSTREKZapisJest = false;
    bool HSTInneZapisJest = false;
    bool HSTTylkoPLista = false;
    bool HSTPelneInfoJest = false;
    bool CzyRDSTylkoZaakceptowane = false;
    bool CzyRDSZbiorPSJest = false;
    bool CzyRDSZbiorRTJest = false;
    bool CzyRDSZbiorTAJest = false;
    bool CzyRDSZbiorPTJest = false;
    bool CzyRDSZbiorDIJest = false;
    bool CzyRDSZbiorPolskieLiteryJest = false;
    bool CzyRDSZbiorDuzeLiteryJest = false;
    bool CzyRDSZbiorPSTytul = false;
    bool CzyRDSZbiorPSWykon = false;
    bool CzyRDSZbiorPSJednaLinia = false;
    bool CzyRDSZbiorRTTytul = false;
    bool CzyRDSZbiorRTWykon = false;
    QString RDSRTTeraz;
    QString RDSRTNastepny;
    QString KatRDSZbior;
    QString RDSPS;
    QString RDSRT;
    QString RDSTA;
    QString RDSPT;
    QString RDSDI;
    bool CzyRDSZbiorExt = false;
    quint8 RDSPTDomyslny = 0;
    qint32 RDSStopS = 0;
    bool CzyInfoZbiorJest = false;
    QString InfoZbiorNazwa;
    quint8 InfoZbiorPozycji = 0;
    bool CzyGracBreak = false;
    bool CzyListaPelneGodz = false;
    bool CzyPlayListaDoklejUsun = false;
    bool CzyListaPozaGodzUsun = false;
    bool CzyPlayListaWstawRozsun = false;
    bool CzyPlayListaZmienAdresDJ = false;
    bool CzyPlayListaZmienDateDJ = false;
    bool CzyDodatkowaKlawiatura = false;
    bool CzyKomunikatBrakNagrania = false;
    bool CzyZawszeInfoOCzasach = false;
    bool Advantech1761Jest = false;
    bool StartStol = false;
    bool StopStol = false;
    bool CzySterowanieAutomat = false;
    bool StartEnter = false;
    bool StartEnterGra = false;
    bool MiksyGdyGra = false;
    bool ZbioryInfoGdyStol = false;
    bool CiszaGra = false;
    bool ReklamaGraNaStyk = false;
    bool CzyPlaylistaZapetlona = false;
    bool StopSpacja = false;
    bool StopSpacjapotwierdzenie = false;
    bool NastPoPlay = false;
    bool NastPoPlayBezp = false;
    bool PListPlayMysz = false;
    bool SterDJWgraj = false;
    bool CzyPytanieOOdczytLST = false;
    bool CzyPytanieOOdczyt2LST = false;
    bool CzyZawszeOdczytLSTDlaMIX = false;
    bool CzyPytanieOOdczytRekGdyZmiana = false;
    bool CzyPytanieOOdczytProGdyZmiana = false;
    bool CzyReklamaJakoBelka = false;
    bool CzyPorownanie8Znakow = false;
    quint8 ListaLSTSposob = 0;
    bool CzyNazwaLSTZPozycji = false;
    bool CzyUsuwanieReklamaO = false;
    bool CzyUsuwaniePromosO = false;
    bool CzyListaLST = false;
    bool CzyLista2LST = false;
    bool CzyLista2LSTPromosy = false;
    bool CzyLista22LSTPromosy = false;
    bool CzyListaLSTWybor = false;
    QString KatAutomat;
    QString KatLista1;
    QString KatLista2;
    bool PlaylistaZapisPoOdczycieJest = false;
    bool PlaylistaBlokadaZapisGdyBraki = false;
    bool CzyZapisLista2Komp = false;
    QString KatZapisLista2Komp;
    bool CzyTimelistaFolderZapis = false;
    bool CzyPlaylistaFolderZapis = false;
    bool SingleInitAutostopJest = false;
    bool SingleInitKaczkaJest = false;
    bool SingleInitZapytajJest = false;
    bool SingleInitKolejnoJest = false;
    bool SingleOdczytKatalogiJest = false;
    bool SingleZapisKatalogiJest = false;
    std::array<QString, 6> SingleKatAdres;        // keys SingleKatAdres1..6
    bool SingleZapisPoOdczycieJest = false;
    QString KatSingleZapis;
    bool SingleCzyPrzypominanieZapis = false;
    bool SinglePamietajTrybJest = false;
    bool SingleTrybZapytajPoOdczycieJest = false;
    bool SingleKopiowanieJest = false;
    bool SingleCzyPytanieOKopiowanie = false;
    bool SingleKopiowanieStrukturaJest = false;
    std::array<bool, 6> SingleCzyKopiowanieZestawu{};  // keys SingleCzyKopiowanieZestawu1..6
    QString SingleDyskiKopiowanie;  // drive letters separated by ","
    QString SingleKatalogKopiowanie;
    bool CzySingleFolderZapis = false;
    bool CzyKopiowac = false;
    bool CzyPytac = false;
    bool KopiowanieBrakujacych = false;
    bool CzyPytacKopia = false;
    bool CzyKopiowacNagraniaTimelisty = false;
    bool CzyPytacOKopiowanieNagranTimelisty = false;
    QString KatKopiaProgram;
    QString KatKopiaLista;
    bool CzyTestMIX = false;
    bool CzyTestKolejnoscMIX = false;
    bool CzyWyswWynikTestuPlaylisty = false;
    bool CzyTestRaport = false;
    QString KatTestRaport;
    bool CzyZapisKonfiguracji = false;
    bool CzyOdczytTylkoMIX = false;
    bool CzyOpisyZListy = false;
    bool CzyOpisyInneZListy = false;
    bool CzyCzasyZNagran = false;
    bool CzyKategorieZNagran = false;
    bool CzyDATZPlayListy = false;
    bool CzyDomyslneCzasySEL = false;
    bool CzyTrybEmisja = false;
    QString KatTrybEmisjaPlayLista;
    QString KatTrybEmisjaNewsLista;
    QString KatTrybEmisjaSynchLista;
    quint8 PlaylistaFormat = 0;
    QString KatJingle;
    bool CzySzukacNagran = false;
    bool CzySzukacWPodkatalogach = false;
    bool CzySzukacWBazie = false;
    bool CzySzukacNadacKod = false;
    QString KatMuzyka1;
    QString KatMuzyka2;
    QString KatDJ;
    QString KatAudycje;
    QString KatInne;
    bool SERWISJest = false;
    qint32 SERWISSzukajPozycjiNum = 0;
    QString SERWISDzwiekNazwa;
    QString SERWISKatalog;
    QString AUDYCJADzwiekNazwa;
    QString AUDYCJAKatalog;
    qint32 SERWISGrajOMarginesS = 0;
    qint32 SERWISUstawDoGraniaMarginesS = 0;
    qint32 SERWISUstawDoGraniaMarginesPozycjiNum = 0;
    bool SERWISBreakAutoodczytJest = false;
    QString InfoEraElementy;
    // Written back only when the file read held them.
    bool StolSterowanie = false;   // desk control on at start
    bool CzyTestPRG = false;
    bool AwariaStartJest = false;  // the emergency playlist starts by itself
};

struct NastawySatelity {
    bool SatTrybJest = false;
    bool SatStartJest = false;
    QString IdStacji;
    bool SatIdStacjiZamianaNazwJest = false;
    bool SatTLJest = false;
    bool SatPLJest = false;
    qint32 SatPLCzytMargS = 0;
    qint32 SatPLUsunMargS = 0;
    QString SatPLNazwaFormat;
    QString SatPLKatalog;
    bool SatPLKorektaJest = false;
    qint32 SatPLKorektaMS = 0;
    bool SatPLFadeJest = false;
    qint32 SatVTCzytMargS = 0;
    qint32 SatVTGrajMargS = 0;
    qint32 SatVTUsunMargS = 0;
    qint32 SatVTUsunMarg2S = 0;
    QString SatVTKatalog;
    QString SatVTXKatalog;
    qint32 SatRLCzytMargS = 0;
    qint32 SatRLgrajMargS = 0;
    qint32 SatRLUsunMargS = 0;
    bool SatRLReklOJest = false;
    qint32 SatRLOfsLiczMS = 0;
    qint32 SatFlagaOfsMS = 0;
    qint32 SatStopOpoznienieMS = 0;
    qint32 SatFadeInMS = 0;
    qint32 SatFadeOutMS = 0;
    bool SatPListAutoJest = false;
    qint32 SatPListAutoTS = 0;
    QString SatPListAutoKat;
    bool SatPListAutoTestJest = false;
    bool UDPBroadcastJest = false;
    qint32 UDPBroadcastInterwalS = 0;
    QString UDPBroadcastAdres;
    qint32 UDPBroadcastPort = 0;
    qint32 UDPBroadcastTTL = 0;
    bool UDPBroadcast2Jest = false;
    qint32 UDPBroadcast2InterwalS = 0;
    QString UDPBroadcast2Adres;
    qint32 UDPBroadcast2Port = 0;
    qint32 UDPBroadcast2TTL = 0;
    bool UDPBroadcastMonitorJest = false;
    qint32 UDPBroadcastMonitorInterwalS = 0;
    QString UDPBroadcastMonitorAdres;
    qint32 UDPBroadcastMonitorPort = 0;
    qint32 UDPBroadcastMonitorTTL = 0;
    bool GPI1Jest = false;
    QString GPI1Adres;
    qint32 GPI1Port = 0;
    QString GPIPlayer1;  // "GPI1,1,0": node device, pin, triggering state; kept as written
    QString GPIPlayer2;
};

extern NastawyEmisjiMIX Emisja;   // "Emisja MIX"
extern NastawySatelity Satelita;  // "Satelita"

// State of the next day's automatic load, cleared with the emission defaults.
extern QString AutoodczytZbior;
extern QString AutoodczytNazwa;
extern bool PlaylistaWczytana;

// The tables, bound to Emisja and Satelita, in the order the keys are written.
const OpisSekcji& SekcjaEmisji();
const OpisSekcji& SekcjaSatelity();

void DomyslneNastawyEmisji();
void DomyslneNastawySatelity();
// The relay card's and the input word's view of these settings (OpcjeGPI
// and GPIWlaczone from the card, desk-start and I/O node keys). Every
// defaults procedure and reader of both sections sets it, so it never lags
// the settings; whoever changes those fields otherwise calls it.
void UstawOpcjeGPI();
// Read the section from a settings file (stored-form path), or from the
// file already read.
void WczytajNastawyEmisji(const QString& plik);
void WczytajNastawyEmisji(const ZbiorNastaw& zbior);
void WczytajNastawySatelity(const QString& plik);
void WczytajNastawySatelity(const ZbiorNastaw& zbior);
// Append the section to a settings file being written.
void ZapiszNastawyEmisji(const QString& plik);
void ZapiszNastawySatelity(const QString& plik);

/* An LD_PRELOAD shim that makes a folder behave as a slow network share for
 * udzial_sieciowy.sh: every open, stat, read, close and directory listing
 * on a path under one of the folders in UDZIAL_FOLDERY (":"-separated) sleeps
 * UDZIAL_MS milliseconds first. Each such call is written to UDZIAL_LOG as
 * "monotonic-ns gui|tlo call what @tid", gui when it came from the process's
 * main thread (gettid() == getpid(), the thread that runs the on-air loop),
 * tid the calling thread. An open, opendir or fopen there that succeeds is
 * followed by "monotonic-ns fd N @tid what": the descriptor's later calls
 * name only fdN. The first line, "monotonic-ns start", is written when the
 * program is loaded.
 * A share that hangs: while the file named by UDZIAL_ZAWIESZENIE exists,
 * every such call waits (after its UDZIAL_MS) until the file is gone.
 * A failing share: while the file named by UDZIAL_AWARIA exists, every such
 * call fails, after its wait, with the errno UDZIAL_BLAD (5, EIO, by
 * default); a close still closes. The failing calls are noted with "!".
 * Build: cc -O2 -shared -fPIC -o udzial.so udzial_sieciowy_shim.c -ldl */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#define MAKS_FD 65536
#define MAKS_FOLDEROW 8

static char foldery[MAKS_FOLDEROW][4096];
static size_t dlugosci[MAKS_FOLDEROW];
static int folderow;
static long opoznienieNs;
static int logFd = -1;
static char zawieszenie[4096];
static char awaria[4096];
static int bladAwarii = EIO;
/* Descriptors open on the share: their reads and closes are the share's too. */
static _Atomic unsigned char naUdziale[MAKS_FD];

static long long teraz(void) {
    struct timespec t;
    /* The raw clock, so that libfaketime (midnight runs) does not move it. */
    syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void zapisz(const char* linia) {
    if (logFd >= 0) syscall(SYS_write, logFd, linia, strlen(linia));
}

__attribute__((constructor)) static void start(void) {
    const char* f = getenv("UDZIAL_FOLDERY");
    const char* ms = getenv("UDZIAL_MS");
    const char* log = getenv("UDZIAL_LOG");
    const char* a = getenv("UDZIAL_AWARIA");
    const char* b = getenv("UDZIAL_BLAD");
    opoznienieNs = ms ? atol(ms) * 1000000L : 0;
    if (a && strlen(a) < sizeof awaria) strcpy(awaria, a);
    if (b && atoi(b) > 0) bladAwarii = atoi(b);
    for (const char* p = f; p && *p && folderow < MAKS_FOLDEROW;) {
        const char* k = strchr(p, ':');
        size_t n = k ? (size_t)(k - p) : strlen(p);
        while (n > 1 && p[n - 1] == '/') --n;
        if (n > 0 && n < sizeof foldery[0]) {
            memcpy(foldery[folderow], p, n);
            foldery[folderow][n] = 0;
            dlugosci[folderow++] = n;
        }
        p = k ? k + 1 : p + strlen(p);
    }
    if (log) logFd = (int)syscall(SYS_openat, AT_FDCWD, log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const char* z = getenv("UDZIAL_ZAWIESZENIE");
    if (z) snprintf(zawieszenie, sizeof zawieszenie, "%s", z);
    char linia[64];
    snprintf(linia, sizeof linia, "%lld start\n", teraz());
    zapisz(linia);
}

static int wFolderze(const char* sciezka) {
    if (!sciezka) return 0;
    char pelna[8192];
    if (sciezka[0] != '/') {
        if (!getcwd(pelna, sizeof pelna / 2)) return 0;
        strncat(pelna, "/", sizeof pelna - strlen(pelna) - 1);
        strncat(pelna, sciezka, sizeof pelna - strlen(pelna) - 1);
        sciezka = pelna;
    }
    for (int i = 0; i < folderow; ++i)
        if (strncmp(sciezka, foldery[i], dlugosci[i]) == 0 && (sciezka[dlugosci[i]] == '/' || sciezka[dlugosci[i]] == 0))
            return 1;
    return 0;
}

static int fdNaUdziale(int fd) { return fd >= 0 && fd < MAKS_FD && atomic_load(&naUdziale[fd]); }

static void oznacz(int fd, int czy) {
    if (fd >= 0 && fd < MAKS_FD) atomic_store(&naUdziale[fd], (unsigned char)czy);
}

/* The round trip to the share: noted, then waited for. Returns the errno
 * the call fails with while the share fails, else 0. */
static int udzial(const char* wywolanie, const char* co, int fd) {
    /* The caller's errno is the real call's to set (a readdir at the end of
     * a folder leaves it as it was). */
    const int zachowany = errno;
    const int gui = syscall(SYS_gettid) == getpid();
    const int blad = awaria[0] && syscall(SYS_faccessat, AT_FDCWD, awaria, F_OK, 0) == 0 ? bladAwarii : 0;
    char linia[600];
    const long tid = syscall(SYS_gettid);
    if (co)
        snprintf(linia, sizeof linia, "%lld %s %s%s %.500s @%ld\n", teraz(), gui ? "gui" : "tlo", wywolanie, blad ? "!" : "", co,
                 tid);
    else
        snprintf(linia, sizeof linia, "%lld %s %s%s fd%d @%ld\n", teraz(), gui ? "gui" : "tlo", wywolanie, blad ? "!" : "", fd,
                 tid);
    zapisz(linia);
    if (opoznienieNs > 0) {
        struct timespec t = {opoznienieNs / 1000000000L, opoznienieNs % 1000000000L};
        while (nanosleep(&t, &t) != 0) {
        }
    }
    while (zawieszenie[0] && syscall(SYS_faccessat, AT_FDCWD, zawieszenie, F_OK) == 0) {
        struct timespec t = {0, 20000000L};
        nanosleep(&t, NULL);
    }
    errno = zachowany;
    return blad;
}

/* A call of the share that fails: errno set, the caller returns `wynik`. */
#define AWARIA(wywolanie, wynik)  \
    do {                          \
        const int b_ = (wywolanie); \
        if (b_) {                 \
            errno = b_;           \
            return wynik;         \
        }                         \
    } while (0)

/* Which path a descriptor just opened on the share names (no round trip). */
static void otwarty(int fd, const char* co) {
    if (fd < 0 || !co) return;
    char linia[600];
    snprintf(linia, sizeof linia, "%lld fd %d @%ld %.500s\n", teraz(), fd, (long)syscall(SYS_gettid), co);
    zapisz(linia);
}

/* A descriptor on the share being closed: a round trip, and no longer ours. */
static void zamykany(const char* wywolanie, int fd) {
    if (!fdNaUdziale(fd)) return;
    (void)udzial(wywolanie, NULL, fd);
    oznacz(fd, 0);
}

#define PRAWDZIWA(typ, nazwa, ...)                            \
    static typ (*prawdziwa)(__VA_ARGS__);                     \
    if (!prawdziwa) prawdziwa = (typ(*)(__VA_ARGS__))dlsym(RTLD_NEXT, nazwa)

static int trybZ(int flagi, va_list a) { return (flagi & (O_CREAT | O_TMPFILE)) ? va_arg(a, int) : 0; }

/* A path relative to a descriptor on the share is on the share. */
static int sciezkaNaUdziale(int katalog, const char* sciezka) {
    if (sciezka && sciezka[0] != '/' && katalog != AT_FDCWD) return fdNaUdziale(katalog);
    return wFolderze(sciezka);
}

#define OTWORZ(nazwa)                                                 \
    int nazwa(const char* s, int flagi, ...) {                        \
        va_list a;                                                    \
        va_start(a, flagi);                                           \
        const int tryb = trybZ(flagi, a);                             \
        va_end(a);                                                    \
        PRAWDZIWA(int, #nazwa, const char*, int, ...);                \
        const int u = wFolderze(s);                                   \
        if (u) AWARIA(udzial(#nazwa, s, -1), -1);                     \
        const int fd = prawdziwa(s, flagi, tryb);                     \
        if (u) oznacz(fd, 1);                                         \
        if (u) otwarty(fd, s);                                        \
        return fd;                                                    \
    }
OTWORZ(open)
OTWORZ(open64)

#define OTWORZ_AT(nazwa)                                              \
    int nazwa(int k, const char* s, int flagi, ...) {                 \
        va_list a;                                                    \
        va_start(a, flagi);                                           \
        const int tryb = trybZ(flagi, a);                             \
        va_end(a);                                                    \
        PRAWDZIWA(int, #nazwa, int, const char*, int, ...);           \
        const int u = sciezkaNaUdziale(k, s);                         \
        if (u) AWARIA(udzial(#nazwa, s, -1), -1);                     \
        const int fd = prawdziwa(k, s, flagi, tryb);                  \
        if (u) oznacz(fd, 1);                                         \
        if (u) otwarty(fd, s);                                        \
        return fd;                                                    \
    }
OTWORZ_AT(openat)
OTWORZ_AT(openat64)

#define STAT(nazwa, typ)                                              \
    int nazwa(const char* s, typ* b) {                                \
        PRAWDZIWA(int, #nazwa, const char*, typ*);                    \
        if (wFolderze(s)) AWARIA(udzial(#nazwa, s, -1), -1);          \
        return prawdziwa(s, b);                                       \
    }
STAT(stat, struct stat)
STAT(stat64, struct stat64)
STAT(lstat, struct stat)
STAT(lstat64, struct stat64)

#define FSTAT(nazwa, typ)                                             \
    int nazwa(int fd, typ* b) {                                       \
        PRAWDZIWA(int, #nazwa, int, typ*);                            \
        if (fdNaUdziale(fd)) AWARIA(udzial(#nazwa, NULL, fd), -1);    \
        return prawdziwa(fd, b);                                      \
    }
FSTAT(fstat, struct stat)
FSTAT(fstat64, struct stat64)

#define FSTATAT(nazwa, typ)                                           \
    int nazwa(int k, const char* s, typ* b, int flagi) {              \
        PRAWDZIWA(int, #nazwa, int, const char*, typ*, int);          \
        if ((s && *s) ? sciezkaNaUdziale(k, s) : fdNaUdziale(k))      \
            AWARIA(udzial(#nazwa, (s && *s) ? s : NULL, k), -1);      \
        return prawdziwa(k, s, b, flagi);                             \
    }
FSTATAT(fstatat, struct stat)
FSTATAT(fstatat64, struct stat64)

int statx(int k, const char* s, int flagi, unsigned int maska, struct statx* b) {
    PRAWDZIWA(int, "statx", int, const char*, int, unsigned int, struct statx*);
    if ((s && *s) ? sciezkaNaUdziale(k, s) : fdNaUdziale(k)) AWARIA(udzial("statx", (s && *s) ? s : NULL, k), -1);
    return prawdziwa(k, s, flagi, maska, b);
}

int access(const char* s, int tryb) {
    PRAWDZIWA(int, "access", const char*, int);
    if (wFolderze(s)) AWARIA(udzial("access", s, -1), -1);
    return prawdziwa(s, tryb);
}

ssize_t read(int fd, void* b, size_t n) {
    PRAWDZIWA(ssize_t, "read", int, void*, size_t);
    if (fdNaUdziale(fd)) AWARIA(udzial("read", NULL, fd), -1);
    return prawdziwa(fd, b, n);
}

ssize_t pread(int fd, void* b, size_t n, off_t o) {
    PRAWDZIWA(ssize_t, "pread", int, void*, size_t, off_t);
    if (fdNaUdziale(fd)) AWARIA(udzial("pread", NULL, fd), -1);
    return prawdziwa(fd, b, n, o);
}

ssize_t pread64(int fd, void* b, size_t n, off64_t o) {
    PRAWDZIWA(ssize_t, "pread64", int, void*, size_t, off64_t);
    if (fdNaUdziale(fd)) AWARIA(udzial("pread", NULL, fd), -1);
    return prawdziwa(fd, b, n, o);
}

int close(int fd) {
    PRAWDZIWA(int, "close", int);
    zamykany("close", fd);
    return prawdziwa(fd);
}

DIR* opendir(const char* s) {
    PRAWDZIWA(DIR*, "opendir", const char*);
    const int u = wFolderze(s);
    if (u) AWARIA(udzial("opendir", s, -1), NULL);
    DIR* d = prawdziwa(s);
    if (u && d) oznacz(dirfd(d), 1);
    if (u && d) otwarty(dirfd(d), s);
    return d;
}

#define READDIR(nazwa, typ)                                           \
    typ* nazwa(DIR* d) {                                              \
        PRAWDZIWA(typ*, #nazwa, DIR*);                                \
        if (d && fdNaUdziale(dirfd(d))) AWARIA(udzial(#nazwa, NULL, dirfd(d)), NULL); \
        return prawdziwa(d);                                          \
    }
READDIR(readdir, struct dirent)
READDIR(readdir64, struct dirent64)

ssize_t getdents64(int fd, void* b, size_t n) {
    PRAWDZIWA(ssize_t, "getdents64", int, void*, size_t);
    if (fdNaUdziale(fd)) AWARIA(udzial("getdents64", NULL, fd), -1);
    return prawdziwa(fd, b, n);
}

int closedir(DIR* d) {
    PRAWDZIWA(int, "closedir", DIR*);
    if (d) zamykany("closedir", dirfd(d));
    return prawdziwa(d);
}

/* The file reader of the streaming channels goes through stdio. */
#define FOPEN(nazwa)                                                  \
    FILE* nazwa(const char* s, const char* tryb) {                    \
        PRAWDZIWA(FILE*, #nazwa, const char*, const char*);           \
        const int u = wFolderze(s);                                   \
        if (u) AWARIA(udzial(#nazwa, s, -1), NULL);                   \
        FILE* f = prawdziwa(s, tryb);                                 \
        if (u && f) oznacz(fileno(f), 1);                             \
        if (u && f) otwarty(fileno(f), s);                            \
        return f;                                                     \
    }
FOPEN(fopen)
FOPEN(fopen64)

size_t fread(void* b, size_t r, size_t n, FILE* f) {
    PRAWDZIWA(size_t, "fread", void*, size_t, size_t, FILE*);
    if (f && fdNaUdziale(fileno(f))) AWARIA(udzial("fread", NULL, fileno(f)), 0);
    return prawdziwa(b, r, n, f);
}

int fclose(FILE* f) {
    PRAWDZIWA(int, "fclose", FILE*);
    if (f) zamykany("fclose", fileno(f));
    return prawdziwa(f);
}

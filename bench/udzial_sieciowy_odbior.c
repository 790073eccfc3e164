/* The datagram listener of udzial_sieciowy.sh: binds a free UDP port of
 * 127.0.0.1, writes its number to PORT_FILE, and for every datagram writes
 * "monotonic-ns size start marker" to OUT_FILE: start is 1 for an element's
 * "AKC=START", marker is 1 when the datagram holds MARKER. Runs until killed.
 * "odbior --teraz" prints the monotonic clock in ns (the script's stopwatch).
 * Build: cc -O2 -o odbior udzial_sieciowy_odbior.c */
#define _GNU_SOURCE
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdio.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--teraz") == 0) {
        struct timespec t;
        clock_gettime(CLOCK_MONOTONIC, &t);
        printf("%lld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec);
        return 0;
    }
    if (argc != 4) {
        fprintf(stderr, "usage: odbior PORT_FILE OUT_FILE MARKER\n");
        return 2;
    }
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    struct sockaddr_in a = {.sin_family = AF_INET, .sin_port = 0};
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    if (s < 0 || bind(s, (struct sockaddr*)&a, sizeof a) != 0 || getsockname(s, (struct sockaddr*)&a, &n) != 0) {
        perror("odbior");
        return 1;
    }
    const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    FILE* p = fopen(argv[1], "w");
    if (out < 0 || !p) return 1;
    fprintf(p, "%d\n", ntohs(a.sin_port));
    fclose(p);
    static char bufor[65536];
    for (;;) {
        const ssize_t r = recv(s, bufor, sizeof bufor - 1, 0);
        if (r < 0) continue;
        bufor[r] = 0;
        struct timespec t;
        clock_gettime(CLOCK_MONOTONIC, &t);
        char linia[96];
        const int d = snprintf(linia, sizeof linia, "%lld %zd %d %d\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec, r,
                               memmem(bufor, (size_t)r, "AKC=START\r\n", 11) != NULL,
                               memmem(bufor, (size_t)r, argv[3], strlen(argv[3])) != NULL);
        if (write(out, linia, (size_t)d) != d) return 1;
    }
}

// Drains standard input into standard output at 44,100 bytes a second, the rate of the voice
// clips (22,050 Hz, 16-bit mono). The benchmark's sound device writes into it, so a clip takes
// as long to play as it lasts. Its pipe is made as small as Linux allows (one page, 93 ms of
// sound), so the writer is held back at once instead of after 64 KiB.
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

enum { kBytesPerSecond = 44100, kChunkBytes = 441 };  // 10 ms a read

int main(void) {
    (void)fcntl(0, F_SETPIPE_SZ, 4096);
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    long long drained = 0;
    char chunk[kChunkBytes];
    for (;;) {
        const ssize_t n = read(0, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(1, chunk + done, (size_t)(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return 1;
            done += w;
        }
        drained += n;
        // Until these bytes would have been played.
        const long long ns = start.tv_nsec + drained * 1000000000LL / kBytesPerSecond;
        struct timespec due = {start.tv_sec + (time_t)(ns / 1000000000LL), (long)(ns % 1000000000LL)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, NULL) == EINTR) {
        }
    }
}

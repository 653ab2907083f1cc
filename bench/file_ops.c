/* What a whole run of the compiler must do with files, and nothing else:
   read the script, create a new file beside the config, set its mode, write
   the config's bytes, rename it over the config, print two lines. The floor
   under a run, beside the do-nothing program. With "flush" it also does what
   makes the save survive a power cut, as a run does: the new file is flushed
   before the rename and the folder after it, and the folder is read for the
   temporary files that killed runs left there.

     file_ops SCRIPT CONFIG CONFIG_BYTES [flush] */
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static char script[1 << 18];
static char config[1 << 20];

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && strcmp(argv[4], "flush") == 0)) return 2;
    int flush = argc == 5;
    size_t size = (size_t)atoi(argv[3]);
    if (size > sizeof config) return 2;
    int in = open(argv[1], O_RDONLY);
    if (in < 0) return 1;
    ssize_t got = read(in, script, sizeof script);
    close(in);
    for (size_t i = 0; i < size; ++i) config[i] = got > 0 ? script[i % (size_t)got] : 0;
    int out = open("config/.file-ops.tmp", O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) return 1;
    int ok = fchmod(out, 0644) == 0 && write(out, config, size) == (ssize_t)size;
    if (flush) ok = ok && fsync(out) == 0;
    ok = close(out) == 0 && ok;
    if (!ok || rename("config/.file-ops.tmp", argv[2]) != 0) return 1;
    if (flush) {
        int folder = open("config", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0 || fsync(folder) != 0) return 1;
        DIR* entries = fdopendir(folder);
        if (entries == NULL) return 1;
        while (readdir(entries) != NULL) continue;
        closedir(entries);
    }
    const char text[] = "   Tarvelkin v0.3\n\n   Config is created!\n";
    return write(1, text, sizeof text - 1) == (ssize_t)(sizeof text - 1) ? 0 : 1;
}

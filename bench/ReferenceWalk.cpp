// The physical work of a sitemap run and nothing else: list every directory of a tree and read
// each file's last-write time, and with --head also the first 4096 bytes of each file. The
// benchmarks compare linkloom-cli against this.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

bool readHeads = false;

void ReadHead(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    char block[4096];
    if (read(fd, block, sizeof block) < 0) std::perror(path.c_str());
    close(fd);
}

long long Walk(const std::string& directory, long long& newest) {
    DIR* dir = opendir(directory.c_str());
    if (!dir) return 0;
    long long files = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = directory + "/" + name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            files += Walk(path, newest);
        } else {
            ++files;
            if (readHeads) ReadHead(path);
            if (info.st_mtime > newest) newest = info.st_mtime;
        }
    }
    closedir(dir);
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    readHeads = argc == 3 && std::string(argv[1]) == "--head";
    if (argc != 2 + readHeads) {
        std::fprintf(stderr, "usage: reference-walk [--head] FOLDER\n");
        return 2;
    }
    long long newest = 0;
    const long long files = Walk(argv[argc - 1], newest);
    std::printf("%lld files, newest %lld\n", files, newest);
    return 0;
}

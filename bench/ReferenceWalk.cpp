// The physical work of a sitemap run and nothing else: list every directory of a tree and read
// each file's last-write time. The walk benchmark compares linkloom-cli against this.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace {

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
            if (info.st_mtime > newest) newest = info.st_mtime;
        }
    }
    closedir(dir);
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: reference-walk FOLDER\n");
        return 2;
    }
    long long newest = 0;
    const long long files = Walk(argv[1], newest);
    std::printf("%lld files, newest %lld\n", files, newest);
    return 0;
}

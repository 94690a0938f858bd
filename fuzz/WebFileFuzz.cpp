// Feeds arbitrary bytes to the encoding guess and, through a file holding them, to the page
// reader, the head filter and the image scan: none may crash, read out of bounds or loop.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/page/PageReader.h"
#include "core/page/WebFileReader.h"

namespace {

std::string FuzzFile() {
    static const std::string path = "/tmp/linkloom-fuzz-" + std::to_string(getpid()) + ".htm";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace linkloom;
    DetectTextEncoding(data, size);
    HasControlBytes(data, size);

    const std::string path = FuzzFile();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const String name = String::FromUtf8(path);
    WebFileReader reader;
    if (reader.Open(name) == WebFileReader::OpenResult::TextReady) {
        char16_t text[777];
        while (reader.Read(text, sizeof text / sizeof *text) == sizeof text / sizeof *text) {
        }
    }
    reader.Close();
    if (auto folder = platform::FolderHandle::Open(u"/tmp")) {
        platform::DirectoryEntry entry;
        entry.name = name.Mid(5);
        SelectionOptions bothTests;
        bothTests.requireDoctype = true;
        PageReader(bothTests).Read(**folder, entry);
        PageNeeds images;
        images.headTags = images.images = true;
        PageReader(bothTests, images).Read(**folder, entry);
    }
    return 0;
}

#pragma once

#include <memory>
#include <string>

#include "base/String.h"
#include "cli/GzipEncoder.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

// One file of a written sitemap: text gathered into large writes and, when asked, compressed,
// under a temporary name until Commit.
class SitemapFile {
public:
    explicit SitemapFile(bool gzip);

    bool Create(const String& target, String& error) { return file_.Create(target, error); }
    bool Write(const std::string& text, String& error);
    // Writes what is pending, ends the compressed stream and closes the file.
    bool Close(String& error);
    bool Commit(const String& target, String& error) { return file_.Commit(target, error); }

private:
    bool Flush(bool finish, String& error);

    platform::ReplacingFile file_;
    std::unique_ptr<GzipEncoder> gzip_;
    std::string pending_;
    std::string compressed_;
};

}  // namespace linkloom::cli

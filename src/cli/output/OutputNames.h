#pragma once

#include "base/String.h"
#include "platform/NativePath.h"

namespace linkloom::cli {

// The names of the files of one written sitemap: FILE itself, and the parts NAME-1.xml, NAME-2.xml,
// ... beside it when the entries are split, NAME being FILE without ".xml" (or the extension of
// the form written). Compressed sets end in ".gz": FILE gets it when it has none, and so does
// every part.
class OutputNames {
public:
    OutputNames(const String& file, bool gzip, const char16_t* extension = u".xml");

    // A FILE whose name ends in ".gz" asks for compression.
    static bool NamesCompressedFile(const String& file);

    const String& File() const { return file_; }
    // FILE's folder, with its final separator; empty for the current folder.
    const String& Folder() const { return folder_; }
    // The part's file name alone, as the index names it, and its path: NAME-SUFFIX.xml, the suffix
    // its number, or its section's name and maybe its number.
    String PartName(const String& suffix) const { return stem_ + u'-' + suffix + extension_; }
    String PartName(int number) const { return PartName(String::FromInt(number)); }
    String PartPath(const String& name) const { return folder_ + name; }
    String PartPath(int number) const { return PartPath(PartName(number)); }
    // ".xml", ".txt", with ".gz" when compressed.
    const String& Extension() const { return extension_; }

private:
    String file_;
    String folder_;
    String stem_;
    String extension_;
};

using platform::FolderOf;
// True when two folders, each as FolderOf gives them, are one, in whatever form they are named.
bool IsOneFolder(const String& one, const String& other);

}  // namespace linkloom::cli

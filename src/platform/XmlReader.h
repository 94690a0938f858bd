#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/String.h"

namespace linkloom::platform {

// Receives the parts of an XML document as they are read, text in UTF-8. False from any of them
// stops the reading.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // An element's start: its namespace (empty for none), its local name and the line it is on.
    virtual bool StartElement(std::string_view space, std::string_view name, std::uint64_t line) = 0;
    virtual bool EndElement() = 0;
    // Character data, in pieces of any size, entity and character references replaced.
    virtual bool Text(std::string_view text) = 0;
};

// Where the bytes of a document come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes; `got` is 0 at the end. False stops the reading.
    virtual bool Read(char* buffer, std::size_t size, std::size_t& got) = 0;
};

struct XmlResult {
    enum class Outcome {
        Read,            // to its end, well-formed
        Stopped,         // the source or the handler stopped it
        Malformed,       // not well-formed
        DoctypeRefused,  // it has a document type declaration, which is never read
    };
    Outcome outcome = Outcome::Read;
    std::uint64_t line = 0;  // where it was malformed
    String reason;           // the parser's words for it
};

// Reads a document with the system's parser: expat on POSIX, XmlLite on Windows. A document type
// declaration ends the reading, so no entity is ever declared, expanded or fetched from a file;
// the memory used stays within a small multiple of the largest token.
XmlResult ReadXml(ByteSource& source, XmlHandler& handler);

}  // namespace linkloom::platform

#include "platform/XmlReader.h"

#include <windows.h>
#include <objidl.h>
#include <xmllite.h>

#include <set>
#include <string>
#include <utility>

namespace linkloom::platform {

namespace {

using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// What expat says of a document that ends inside its root element, or has none.
constexpr char16_t kNoElement[] = u"no element found";

// True when the element the reader stands on names an attribute twice; the reader is left on
// the element. Expat refuses such a document, and some versions of XmlLite read it on.
bool RepeatsAnAttribute(IXmlReader& reader) {
    std::set<std::pair<std::wstring, std::wstring>> seen;
    bool repeated = false;
    for (HRESULT moved = reader.MoveToFirstAttribute(); moved == S_OK && !repeated;
         moved = reader.MoveToNextAttribute()) {
        const WCHAR* space = nullptr;
        const WCHAR* name = nullptr;
        UINT spaceLength = 0, nameLength = 0;
        reader.GetNamespaceUri(&space, &spaceLength);
        reader.GetLocalName(&name, &nameLength);
        repeated = !seen.emplace(std::wstring(space, spaceLength), std::wstring(name, nameLength)).second;
    }
    reader.MoveToElement();
    return repeated;
}

// The characters of a text handed on at a time.
constexpr UINT kPieceLength = 4096;

// XmlLite, loaded once from the system on first use; null where the system lacks it.
CreateReader ReaderFactory() {
    static const CreateReader factory = [] {
        // From the system's folder by its full path, never from where the program was started.
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return CreateReader(nullptr);
        const String path = String::FromWide(folder) + u"\\xmllite.dll";
        const HMODULE module = LoadLibraryW(path.Wide());
        return module
                   ? reinterpret_cast<CreateReader>(reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")))
                   : nullptr;
    }();
    return factory;
}

// Releases a COM object with the scope.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (object_) object_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface* operator->() const { return object_; }
    Interface* Get() const { return object_; }
    void** Out() { return reinterpret_cast<void**>(&object_); }

private:
    Interface* object_ = nullptr;
};

// The source as the stream XmlLite reads from; it lives on the stack of ReadXml, so it counts no
// references of its own.
class SourceStream : public ISequentialStream {
public:
    explicit SourceStream(ByteSource& source) : source_(source) {}
    bool stopped = false;
    bool ended = false;  // the source has given its last byte

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream)) {
            *object = static_cast<ISequentialStream*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // Fills the buffer whole: the reader takes a short read for the end of the stream.
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        std::size_t total = 0;
        for (std::size_t got = 1; !stopped && got > 0 && total < size; total += got) {
            if (!source_.Read(static_cast<char*>(buffer) + total, size - total, got)) {
                stopped = true;
                got = 0;
            }
        }
        if (read) *read = static_cast<ULONG>(total);
        ended = total < size;
        return ended ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

private:
    ByteSource& source_;
};

std::string ToUtf8(const WCHAR* text, UINT length) {
    if (length == 0) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// XmlLite's errors have codes only: in words, expat's where it has the same error.
String Reason(HRESULT code) {
    switch (static_cast<unsigned long>(code)) {
    case MX_E_INPUTEND: return u"unclosed token";
    case MX_E_ENCODING:
    case MX_E_ENCODINGSWITCH:
    case MX_E_ENCODINGSIGNATURE:
    case WC_E_ENCNAME:
    case XML_E_INVALIDENCODING: return u"invalid encoding";
    case WC_E_ELEMENTMATCH: return u"mismatched tag";
    case WC_E_XMLCHARACTER:
    case XML_E_INVALID_UNICODE: return u"not well-formed (invalid token)";
    case WC_E_ROOTELEMENT: return u"junk after document element";
    case WC_E_SYNTAX: return u"syntax error";
    case WC_E_UNIQUEATTRIBUTE: return u"duplicate attribute";
    case WC_E_UNDECLAREDENTITY:
    case WC_E_PARSEDENTITY: return u"undefined entity";
    case WC_E_SEMICOLON:
    case WC_E_HEXDIGIT:
    case WC_E_DIGIT:
    case XML_E_INVALID_DECIMAL:
    case XML_E_INVALID_HEXIDECIMAL: return u"reference to invalid character number";
    case WC_E_XMLDECL:
    case WC_E_LEADINGXML:
    case WC_E_TEXTXMLDECL: return u"XML or text declaration not at start of entity";
    case WC_E_PI: return u"reserved processing instruction target";
    case NC_E_UNDECLAREDPREFIX: return u"unbound prefix";
    case NC_E_XMLPREFIXRESERVED:
    case NC_E_XMLNSPREFIXRESERVED:
    case NC_E_XMLURIRESERVED:
    case NC_E_XMLNSURIRESERVED:
        return u"reserved prefix (xml) must not be undeclared or bound to another namespace name";
    case SC_E_MAXELEMENTDEPTH: return u"elements nested too deeply";
    default: break;
    }
    // The rest by family: the XmlLite codes run from 0xC00CEE00, a family to each 0x20 of them.
    switch (static_cast<unsigned long>(code) & ~0x1FUL) {
    case MX_E_MX: return u"unreadable input";
    case WC_E_WC:
    case WC_E_WC + 0x20: return u"not well-formed (invalid token)";
    case NC_E_NC: return u"namespace error";
    case SC_E_SC: return u"a limit of the reader was passed";
    default: break;
    }
    return u"not read by the system's XML reader";
}

}  // namespace

XmlResult ReadXml(ByteSource& source, XmlHandler& handler) {
    XmlResult result;
    result.outcome = XmlResult::Outcome::Malformed;
    const CreateReader create = ReaderFactory();
    ComPointer<IXmlReader> reader;
    if (!create || FAILED(create(__uuidof(IXmlReader), reader.Out(), nullptr))) {
        result.reason = u"the system's XML reader (xmllite.dll) is not available";
        return result;
    }
    SourceStream stream(source);
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    reader->SetProperty(XmlReaderProperty_XmlResolver, 0);
    if (FAILED(reader->SetInput(&stream))) {
        result.reason = u"the system's XML reader refused its input";
        return result;
    }
    const auto line = [&reader] {
        UINT number = 0;
        reader->GetLineNumber(&number);
        return static_cast<std::uint64_t>(number);
    };
    const auto column = [&reader] {
        UINT number = 0;
        reader->GetLinePosition(&number);
        return number;
    };
    bool sawElement = false;
    // Blanks around the root are no character data, as expat has it.
    int depth = 0;
    // The last node, and where it was: after the end of some cut documents Wine's reader gives the
    // same blank node again and again, so the same node at the same place once the input has ended
    // is the end.
    XmlNodeType lastType = XmlNodeType_None;
    std::uint64_t lastLine = 0;
    UINT lastColumn = 0;
    for (;;) {
        bool proceed = true;
        XmlNodeType type = XmlNodeType_None;
        const HRESULT read = reader->Read(&type);
        // Once the source has stopped, nothing more is read, whatever the reader answers.
        if (stream.stopped) {
            result.outcome = XmlResult::Outcome::Stopped;
            return result;
        }
        if (read == S_FALSE) {
            result.outcome = stream.stopped ? XmlResult::Outcome::Stopped : XmlResult::Outcome::Read;
            // Some versions end a document without a root element quietly; it is not well-formed.
            if (!stream.stopped && !sawElement) {
                result.outcome = XmlResult::Outcome::Malformed;
                result.reason = kNoElement;
                result.line = line();
            }
            return result;
        }
        if (read != S_OK) {
            result.outcome = stream.stopped ? XmlResult::Outcome::Stopped
                             : static_cast<unsigned long>(read) == WC_E_DTDPROHIBITED
                                 ? XmlResult::Outcome::DoctypeRefused
                                 : XmlResult::Outcome::Malformed;
            if (result.outcome == XmlResult::Outcome::Malformed) result.reason = Reason(read);
            result.line = line();
            return result;
        }
        if (stream.ended && type == lastType && line() == lastLine && column() == lastColumn) {
            if (depth == 0 && sawElement) {
                result.outcome = XmlResult::Outcome::Read;
                return result;
            }
            result.reason = kNoElement;
            result.line = line();
            return result;
        }
        lastType = type;
        lastLine = line();
        lastColumn = column();
        const WCHAR* text = nullptr;
        UINT length = 0;
        switch (type) {
        case XmlNodeType_Element: {
            sawElement = true;
            if (RepeatsAnAttribute(*reader.Get())) {
                result.outcome = XmlResult::Outcome::Malformed;
                result.reason = u"duplicate attribute";
                result.line = line();
                return result;
            }
            const WCHAR* space = nullptr;
            UINT spaceLength = 0;
            reader->GetNamespaceUri(&space, &spaceLength);
            const std::string spaceText = ToUtf8(space, spaceLength);
            reader->GetLocalName(&text, &length);
            const bool empty = reader->IsEmptyElement();
            if (!empty) ++depth;
            proceed = handler.StartElement(spaceText, ToUtf8(text, length), line()) && (!empty || handler.EndElement());
            break;
        }
        case XmlNodeType_EndElement:
            --depth;
            proceed = handler.EndElement();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace: {
            if (depth == 0) break;
            // In pieces, so that a long text is never held whole.
            WCHAR piece[kPieceLength];
            UINT got = 0;
            while (proceed && reader->ReadValueChunk(piece, kPieceLength, &got) == S_OK && got > 0) {
                proceed = handler.Text(ToUtf8(piece, got));
            }
            break;
        }
        case XmlNodeType_DocumentType: result.outcome = XmlResult::Outcome::DoctypeRefused; return result;
        default: break;
        }
        if (!proceed) {
            result.outcome = XmlResult::Outcome::Stopped;
            return result;
        }
    }
}

}  // namespace linkloom::platform

#include "platform/XmlReader.h"

#include <expat.h>

#include <memory>

namespace linkloom::platform {

namespace {

// Between an element's namespace and its local name in the names expat hands over.
constexpr char kSeparator = '\n';
constexpr int kChunk = 1 << 16;

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Hands expat's callbacks to the handler and remembers why the reading stopped.
class Session {
public:
    Session(XML_Parser parser, XmlHandler& handler) : parser_(parser), handler_(handler) {
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &Session::OnStart, &Session::OnEnd);
        XML_SetCharacterDataHandler(parser, &Session::OnText);
        XML_SetStartDoctypeDeclHandler(parser, &Session::OnDoctype);
        // Declarations can stand only inside a doctype, which is refused first; refused here too.
        XML_SetEntityDeclHandler(parser, &Session::OnEntity);
        XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    }

    bool doctype = false;
    bool stopped = false;

private:
    static Session& Of(void* data) { return *static_cast<Session*>(data); }

    void Check(bool proceed) {
        if (proceed || stopped) return;
        stopped = true;
        XML_StopParser(parser_, XML_FALSE);
    }

    static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**) {
        Session& session = Of(data);
        if (session.stopped) return;
        const std::string_view full(name);
        const std::size_t split = full.find(kSeparator);
        const std::string_view space = split == std::string_view::npos ? std::string_view() : full.substr(0, split);
        const std::string_view local = split == std::string_view::npos ? full : full.substr(split + 1);
        session.Check(session.handler_.StartElement(space, local, XML_GetCurrentLineNumber(session.parser_)));
    }

    static void XMLCALL OnEnd(void* data, const XML_Char*) {
        Session& session = Of(data);
        if (!session.stopped) session.Check(session.handler_.EndElement());
    }

    static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
        Session& session = Of(data);
        if (!session.stopped)
            session.Check(session.handler_.Text(std::string_view(text, static_cast<std::size_t>(length))));
    }

    static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        Session& session = Of(data);
        session.doctype = true;
        session.Check(false);
    }

    static void XMLCALL OnEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                 const XML_Char*, const XML_Char*, const XML_Char*) {
        Session& session = Of(data);
        session.doctype = true;
        session.Check(false);
    }

    XML_Parser parser_;
    XmlHandler& handler_;
};

}  // namespace

XmlResult ReadXml(ByteSource& source, XmlHandler& handler) {
    XmlResult result;
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, kSeparator));
    if (!parser) {
        result.outcome = XmlResult::Outcome::Malformed;
        result.reason = u"not enough memory to read XML";
        return result;
    }
    Session session(parser.get(), handler);
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kChunk);
        std::size_t got = 0;
        if (!buffer || !source.Read(static_cast<char*>(buffer), kChunk, got)) {
            result.outcome = buffer ? XmlResult::Outcome::Stopped : XmlResult::Outcome::Malformed;
            if (!buffer) result.reason = u"not enough memory to read XML";
            return result;
        }
        if (XML_ParseBuffer(parser.get(), static_cast<int>(got), got == 0) == XML_STATUS_OK) {
            if (got == 0) return result;
            continue;
        }
        if (session.doctype) {
            result.outcome = XmlResult::Outcome::DoctypeRefused;
        } else if (session.stopped) {
            result.outcome = XmlResult::Outcome::Stopped;
        } else {
            result.outcome = XmlResult::Outcome::Malformed;
            result.reason = String::FromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get())));
        }
        result.line = XML_GetCurrentLineNumber(parser.get());
        return result;
    }
}

}  // namespace linkloom::platform

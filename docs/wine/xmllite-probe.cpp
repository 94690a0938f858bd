// Feeds XmlLite a 64 MB document through a stream that counts what is read from it, and prints
// how much the reader had taken when it handed over the first element, then the peak memory of
// the process once every node was read: a reader that keeps what it read grows with the document.
// With an argument, the document is one element holding 64 MB of blanks.
#include <windows.h>
#include <psapi.h>
#include <xmllite.h>
#include <cstdio>
#include <cstring>

class CountingStream : public ISequentialStream {
public:
    ULONGLONG given = 0;
    bool blanks = false;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_ISequentialStream) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        static const char kHead[] = "<a>";
        const ULONGLONG total = 64ull << 20;
        ULONG n = 0;
        char* out = static_cast<char*>(buffer);
        while (n < size && given < total) {
            if (given < 3) {
                out[n++] = kHead[given];
            } else if (blanks) {
                out[n++] = ' ';  // one text node of blanks as long as the document
            } else {
                out[n++] = given % 4 == 3 ? '<' : given % 4 == 0 ? 'b' : given % 4 == 1 ? '/' : '>';
            }
            ++given;
        }
        if (read) *read = n;
        return n == size ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
};

int main(int argc, char**) {
    using Create = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    HMODULE module = LoadLibraryW(L"xmllite.dll");
    auto create = module ? reinterpret_cast<Create>(GetProcAddress(module, "CreateXmlReader")) : nullptr;
    if (!create) return std::printf("no CreateXmlReader\n"), 1;
    IXmlReader* reader = nullptr;
    if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr))) return 1;
    CountingStream stream;
    stream.blanks = argc > 1;
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    reader->SetInput(&stream);
    XmlNodeType type;
    HRESULT result;
    while ((result = reader->Read(&type)) == S_OK && type != XmlNodeType_Element) {
    }
    std::printf("first element after %llu bytes read from the stream (result 0x%08lx)\n", stream.given, result);
    unsigned long long nodes = 0;
    while ((result = reader->Read(&type)) == S_OK) ++nodes;
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("%llu nodes, %llu bytes read, result 0x%08lx, peak private memory %llu MB\n", nodes, stream.given,
                result, static_cast<unsigned long long>(counters.PeakPagefileUsage >> 20));
    reader->Release();
    return 0;
}

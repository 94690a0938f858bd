#pragma once

namespace linkloom::RunMessage {

inline constexpr char16_t kWildcards[] = u"please enter a list of extensions, not wildcards";
inline constexpr char16_t kNoFolder[] = u"please enter a valid path to scan for web files";
inline constexpr char16_t kNoUrl[] = u"please specify the CANONICAL full website URL";
inline constexpr char16_t kNoFiles[] =
    u"no files match the criteria\ntry scanning a different folder or adjust search settings";
inline constexpr char16_t kOutOfMemory[] = u"not enough memory to build the sitemap";
inline constexpr char16_t kWorking[] = u"working...";

}  // namespace linkloom::RunMessage

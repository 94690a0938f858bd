#include "cli/report/JsonWriter.h"

#include <gtest/gtest.h>

namespace linkloom::cli {
namespace {

TEST(JsonWriterTest, EscapesWhatAStringCannotHoldAndKeepsLoneSurrogates) {
    const char16_t name[] = {u'a', u'"', u'\\', u'\n', 0x01, 0x7F, 0x2028, 0xD83D, 0xDE00, 0xDCFF, 0xD800, u'z', 0};
    JsonWriter json;
    json.BeginObject().Key("n").Value(String(name)).Key("list").BeginArray().Value(1).Null().Value(true);
    json.BeginObject().EndObject().EndArray().EndObject();
    EXPECT_EQ(json.Text(),
              "{\"n\":\"a\\\"\\\\\\n\\u0001\\u007f\\u2028\xF0\x9F\x98\x80\\udcff\\ud800z\","
              "\"list\":[1,null,true,{}]}");
}

}  // namespace
}  // namespace linkloom::cli

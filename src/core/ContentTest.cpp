#include "core/ContentTest.h"

namespace linkloom {

bool PassesContentTest(const String&, JobFlags) { return true; }

}  // namespace linkloom

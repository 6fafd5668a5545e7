// Whenever the depth guard passes a document, the tree the XML parser builds from it is no deeper
// than the limit: the guard never lets hidden levels through.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tables/parser_depth.h"
#include "tables/xml_nesting.h"

namespace {

// Small, so that the fuzzer reaches it with short inputs.
constexpr std::size_t kLimit = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  if (trel::NestingWithin(xml, kLimit) && trel::testing::ParserDepth(xml) > kLimit) {
    std::abort();
  }
  return 0;
}

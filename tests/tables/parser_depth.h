#pragma once

#include <cstddef>
#include <string>

namespace trel::testing {

// How deep the elements nest in the tree the XML parser builds from `xml`, as the keyword loader
// hands it over (UTF-8, NUL-padded); a document the parser gives up on keeps the part it read.
std::size_t ParserDepth(std::string xml);

}  // namespace trel::testing

#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// A C++ definition `const std::uint8_t NAME[] = {...};` of the bytes, and
// `const std::size_t NAME_SIZE` of their count when `withSize` is set.
std::string ByteArray(const std::string& name, const std::vector<std::uint8_t>& bytes, bool withSize);

// A generated source file: the note that says where it came from, the
// includes, and the definitions inside `ns`.
std::string SourceFile(const std::string& include, const std::string& ns, const std::string& definitions);

// The GIF file as a window definition holds it: its length as four bytes,
// lowest first, then the file.
std::vector<std::uint8_t> LengthPrefixed(const std::vector<std::uint8_t>& file);

}  // namespace artwork

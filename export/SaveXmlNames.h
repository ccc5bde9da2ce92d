#pragma once

#include <string>
#include <string_view>

namespace xmlexport {

// The name the Save dialog gives back for a typed one: ".extension" is added
// when the file part has no extension. Folders are kept as they are.
std::string WithDefaultExtension(std::string_view path, std::string_view extension);
inline std::string WithXmlExtension(std::string_view path) { return WithDefaultExtension(path, "xml"); }

// The stylesheet's file name for a data file's name (without folder): the
// first ".xml", in any case, is taken out, and ".xsl" is added. It is also
// the reference the data file carries.
std::string StylesheetName(std::string_view fileName);

// The path from the root: a relative path is taken from currentDir; empty
// parts and "." go, ".." takes the part before it away.
std::string AbsolutePath(std::string_view path, std::string_view currentDir);

}  // namespace xmlexport

#pragma once
// The file name a print job gets in the spool folder, from its title. Plain C++: the backend
// runs as root and links nothing else.
#include <string>
#include <string_view>

namespace vorlin {

// A safe file name ending in ".pdf": the last component of a path, "/" and "\" made "-",
// control characters and broken UTF-8 made "_", no leading dots, spaces or dashes, a document
// extension replaced by ".pdf", at most ~200 bytes; "job-<id>.pdf" when nothing is left.
std::string nomeDoTrabalho(std::string_view titulo, long trabalho);

// The name with " (<sufixo>)" before its ".pdf", for a name already in use.
std::string comSufixo(const std::string &nome, std::string_view sufixo);

} // namespace vorlin

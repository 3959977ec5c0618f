#pragma once
// Text that a page shows but did not write: names and coordinates from a
// project, a database or the user, and the paths of the page's pictures. The
// page's own tags are the only markup it may hold.
#include <string>
#include <string_view>

namespace toolkit {

// The text as it reads, inside an element: '&', '<' and '>' as entities.
// Double quotes stay as typed (they mark seconds in coordinates); use
// EscaparAtributo inside an attribute.
std::string EscaparHtml(std::string_view texto);

// The same for a quoted attribute value: '"' as an entity too.
std::string EscaparAtributo(std::string_view texto);

// A file path (UTF-8) as the address of a picture: bytes outside ASCII and
// those that an address or the attribute would read otherwise ('%', '"',
// '<', '>', '&', '#', '?', controls) percent-encoded, so the address is
// plain ASCII in any page encoding. Other characters, '/' and blanks
// included, stay as they are.
std::string EnderecoDeArquivo(std::string_view caminho);

// The path an address of EnderecoDeArquivo stands for.
std::string CaminhoDoEndereco(std::string_view endereco);

}  // namespace toolkit

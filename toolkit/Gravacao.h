#pragma once
// Saving a file without ever leaving it half written: the new bytes go to a
// temporary file beside it, which then takes its name in one step.
#include <string>

namespace toolkit {

// Replaces the file at caminho (the target, if caminho is a symbolic link)
// with bytes. A file that exists keeps its permissions, and a read-only one
// is refused; a character device or a pipe (/dev/null, /dev/stdout) is
// written in place, as it cannot be replaced; any other file that is not a
// regular one (a disk device, a socket) is refused with ENOTSUP and a folder
// with EISDIR. Returns 0, or the errno of the step that failed, in which case
// the old file is as it was.
int SubstituirArquivo(const std::string& caminho, const std::string& bytes);

// "Não foi possível gravar o arquivo CAMINHO (reason)." for an errno.
std::string ErroDeGravacao(const std::string& caminho, int codigo);

}  // namespace toolkit

#include "tools/common/ErrorText.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace orvalin::tools {

std::string plainErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC: return "no space left on the device";
#ifdef EDQUOT
    case EDQUOT: return "the disk quota is used up";
#endif
    case ENAMETOOLONG: return "the path is too long";
    case ENOENT: return "no such file or folder";
    case EACCES:
    case EPERM: return "permission denied";
    case EROFS: return "the file system is read-only";
    case ENOMEM: return "not enough memory";
    case EIO: return "a read or write error on the device";
    case EMFILE:
    case ENFILE: return "too many open files";
    case EFBIG: return "the file is too large for its file system";
    default: break;
    }
    std::string text = std::strerror(errorNumber);
    if (!text.empty())
        text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

} // namespace orvalin::tools

#include "platform/write_failure.h"

#include <cerrno>

namespace vlt::platform {

std::string WriteFailureAdvice(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return "The folder does not exist: create it or choose another folder, then save again.";
    case ENOTDIR:
      return "A file stands where the path needs a folder: choose another folder, then save "
             "again.";
    case EACCES:
    case EPERM:
      return "You may not write in that folder: choose another folder, or ask for the right "
             "to write there, then save again.";
    case EROFS:
      return "The folder is on a read-only medium: choose another folder, then save again.";
    case ENOSPC:
    case EDQUOT:
      return "The disk is full: free some space or choose another folder, then save again.";
    case EFBIG:
      return "The file is larger than this medium or this program may write: choose another "
             "folder, then save again.";
    case ENAMETOOLONG:
      return "The name or the path is too long: choose a shorter name or another folder, then "
             "save again.";
    case EISDIR:
      return "A folder already has that name: choose another name, then save again.";
    case ELOOP:
      return "The path runs through a loop of symbolic links: choose another folder, then save "
             "again.";
    case EIO:
      return "The disk reported an error: check the medium, or choose another folder, then "
             "save again.";
    default:
      return "Choose another folder, then save again.";
  }
}

}  // namespace vlt::platform

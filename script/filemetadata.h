// What a rewritten file must keep of the file it replaces, and whether it may be replaced.
#pragma once

#include <sys/stat.h>

#include "script/outcome.h"

namespace nosk::script {

// Gives the file open as `to` the owner, group, permission bits, ACL and extended attributes of
// the file open as `from` (whose status is `fromStatus`): the owner and group first, since a
// change of owner clears the set-user-ID bits; then the mode; then the attributes, the ACL
// among them, which sets the group bits the ACL way. A folder's default ACL or set-group-ID bit
// gave the new file its own ideas; they are replaced. Fails, with the reason, on the first thing
// that cannot be carried over: the file must then not replace the other.
Outcome CarryOverMetadata(int from, const struct stat& fromStatus, int to,
                          const struct stat& toStatus);

// As CarryOverMetadata, but the owner and group only where the runner may give them: for a
// backup copy, which must never be readable by more users than the file it copies. Fails only
// when the permission bits or attributes cannot be set.
Outcome CarryOverMetadataAsFarAsAllowed(int from, const struct stat& fromStatus, int to,
                                        const struct stat& toStatus);

// Whether the runner may write the file open as `file`, of mode `mode`: refused, as an editor
// refuses a read-only file, when the runner lacks write permission for it (its ACL counts), and,
// for root, whom permissions do not stop, when no one may write it (mode 0444).
Outcome CheckWritePermission(int file, unsigned mode);

}  // namespace nosk::script

// Putting a written file on the disk, which the systems call differently.
#pragma once

class QFileDevice;

namespace vorna::platform {

// Asks the system to write the open file's data through to the disk; false (a full disk,
// an I/O error) when it cannot.
bool syncToDisk(QFileDevice &file);

} // namespace vorna::platform

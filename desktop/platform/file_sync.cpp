#include "file_sync.h"

#include <QFileDevice>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vorna::platform {

bool syncToDisk(QFileDevice &file)
{
    const int handle = file.handle();
    if (handle < 0)
        return false;
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

} // namespace vorna::platform

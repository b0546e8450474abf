// The language load over any language file: the first two bytes are the
// system locale, the rest is the file (up to its first NUL). Fresh tables
// for every input; the rig releases the catalog's blocks, so that a leak shows.
#include <cstdint>
#include <string>

#include "../../unit/lang/loader_rig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 2) {
        LoaderRig rig;
        rig.Load(std::string(reinterpret_cast<const char*>(data) + 2, size - 2), data[0] | data[1] << 8);
    }
    return 0;
}

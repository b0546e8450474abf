#include "ground/plain_file_rule.h"

bool IsPlainFile(const FileFacts& facts) noexcept
{
    if ((facts.attributes & kAttributeDirectory) != 0 || facts.linkCount != 1) {
        return false;
    }
    if ((facts.attributes & kAttributeReparsePoint) != 0 && (facts.reparseTag & kReparseTagNameSurrogateBit) != 0) {
        return false;
    }
    return facts.place != FinalPlace::Elsewhere;
}

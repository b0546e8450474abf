#pragma once
#include <cstdint>

// Where an action writes the ERROR record of a step that failed, named by
// the function and line of the step.
class ErrorTrace {
public:
    // One ERROR record; format takes value as its one value.
    virtual void TraceError(const char* function, int line, const wchar_t* format,
                            std::uint32_t value) noexcept = 0;

protected:
    ~ErrorTrace() = default;
};

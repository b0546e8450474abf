// The canary of the frames that -fstack-protector-strong guards. The
// compiler's own support library seeds it through CryptAcquireContext,
// which loads a cryptographic provider into every run (under Wine its
// libraries add a quarter to the program's memory) for eight random bytes.
// The platform's RtlGenRandom gives them through advapi32, which the program
// imports anyway. Defining both symbols here keeps that library out of the
// link; a second definition would fail it.
#include <windows.h>

#include <ntsecapi.h>

#include <cstdint>
#include <cstdlib>

extern "C" {

// Read by every guarded frame; set once, before wWinMain and before any
// guarded frame that outlives the change can be on the stack. Neither
// function here holds an array or a local whose address is taken, so neither
// is guarded itself.
void* __stack_chk_guard = nullptr;

// A frame's canary was overwritten: nothing in the process can be trusted,
// so it ends at once, without unwinding or handlers, as the platform ends a
// program whose frame cookie fails.
[[noreturn]] void __stack_chk_fail()
{
    RaiseFailFastException(nullptr, nullptr, 0);
    std::abort();
}

}  // extern "C"

namespace {

struct StackGuardSeed {
    StackGuardSeed() noexcept
    {
        if (!RtlGenRandom(&__stack_chk_guard, sizeof __stack_chk_guard)) {
            // Without the generator, a value that still differs between
            // runs: the variable's own address, which ASLR moves.
            __stack_chk_guard = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(&__stack_chk_guard) ^
                                                        static_cast<std::uintptr_t>(0x2F8A4C91D37B65E0ull));
        }
    }
};

const StackGuardSeed seed;

}  // namespace
